#include "gui/widgets/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

namespace welkor::gui {

namespace {

QHash<QString, QString>& GenericFaces()
{
    static QHash<QString, QString> faces;
    return faces;
}

QHash<QStringList, QString>& FoundFamilies()
{
    static QHash<QStringList, QString> found;
    return found;
}

// `family`, or the installed face a generic family stands for.
QString FaceOf(const QString& family, const QStringList& installed)
{
    const QString face = GenericFaces().value(family.toCaseFolded());
    return !face.isEmpty() && installed.contains(face, Qt::CaseInsensitive) ? face : family;
}

} // namespace

void UseGenericFaces(const QHash<QString, QString>& faces)
{
    GenericFaces() = faces;
    FoundFamilies().clear();
}

QString InstalledFamily(const QStringList& candidates)
{
    QHash<QStringList, QString>& found = FoundFamilies();
    if (const auto known = found.constFind(candidates); known != found.constEnd())
        return *known;
    const QStringList installed = QFontDatabase::families();
    QString family;
    for (const QString& candidate : candidates) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            family = candidate;
            break;
        }
    }
    if (family.isEmpty()) {
        QFont font;
        font.setFamilies(candidates);
        family = QFontInfo(font).family();
    }
    family = FaceOf(family, installed);
    found.insert(candidates, family);
    return family;
}

QFont FontOf(const QStringList& candidates)
{
    QFont font;
    font.setFamily(InstalledFamily(candidates));
    return font;
}

QFont NamedByFace(const QFont& font)
{
    QFont named = font;
    if (!GenericFaces().isEmpty())
        named.setFamily(FaceOf(font.family(), QFontDatabase::families()));
    return named;
}

QFont FixedPitchFont() { return NamedByFace(QFontDatabase::systemFont(QFontDatabase::FixedFont)); }

void NameApplicationFontByFace()
{
    const QFont font = QApplication::font();
    const QFont named = NamedByFace(font);
    if (named.family() == font.family())
        return;
    // The kinds of widget desktops give fonts of their own.
    static const char* const kinds[] = {
        "QMenu", "QMenuBar", "QToolButton", "QToolBar", "QLabel", "QTabBar", "QHeaderView", "QTipLabel",
        "QMessageBoxLabel", "QGroupBox", "QDockWidgetTitle", "QMdiSubWindowTitleBar", "QSmallFont", "QMiniFont",
        "QComboMenuItem", "QPushButton", "QCheckBox", "QRadioButton", "QComboBox", "QLineEdit", "QTextEdit",
        "QPlainTextEdit", "QAbstractItemView", "QAbstractSpinBox", "QStatusBar",
    };
    for (const char* kind : kinds)
        if (QApplication::font(kind) != font)
            return;
    QApplication::setFont(named);
}

QStringList WindowFamilies() { return {QStringLiteral("MS Sans Serif"), QApplication::font().family()}; }

QStringList SerifFamilies()
{
    return {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
}

QStringList MonoFamilies()
{
    return {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
}

} // namespace welkor::gui
