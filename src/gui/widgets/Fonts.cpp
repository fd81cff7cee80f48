#include "gui/widgets/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

namespace welkor::gui {

QString InstalledFamily(const QStringList& candidates)
{
    static QHash<QStringList, QString> found;
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
    found.insert(candidates, family);
    return family;
}

QFont FontOf(const QStringList& candidates)
{
    QFont font;
    font.setFamily(InstalledFamily(candidates));
    return font;
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
