#pragma once

#include <QStringList>
#include <QWidget>

class QMenu;
class QPlainTextEdit;

namespace welkor {
class ReportDocument;
}

namespace welkor::gui {

// The page "Raport" (tsRaport): the report memo mOdebrany above the comment
// memo mKomentarz, and the memo's context menu pmTekst with the standard
// edit actions.
class ReportPage : public QWidget {
    Q_OBJECT
public:
    explicit ReportPage(QWidget* parent = nullptr);

    // Both memos show the report: its 15 displayed lines and its comment.
    void RebuildReportText(const welkor::ReportDocument& report);

    // The comment memo's lines as the user left them; none when the user
    // emptied it.
    QStringList CommentMemoLines() const;

    QPlainTextEdit* mOdebrany = nullptr;
    QPlainTextEdit* mKomentarz = nullptr;
    QMenu* pmTekst = nullptr;

private:
    void BuildTextMenu();
};

} // namespace welkor::gui
