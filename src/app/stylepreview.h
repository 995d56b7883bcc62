#pragma once
// The style preview of the "Style Sheet" tab: the page the style sheet
// builds ("Save CSS and Preview") in the embedded browser, its link to the
// style sheet resolving to the saved file.

#include <QUrl>
#include <QWidget>

namespace qwk {

class PageView;
class clsCSS;

class StylePreview : public QWidget {
    Q_OBJECT
public:
    // Shows every page css announces (previewReady).
    explicit StylePreview(clsCSS &css, QWidget *parent = nullptr);

    PageView &pageView() const { return *m_view; }
    // The address the page's relative addresses resolve against: the
    // style sheet's path is a disk path, absolute or taken from the
    // program's working folder as the sheet's save takes it.
    static QUrl baseUrl();

public Q_SLOTS:
    void showPage(const QString &html);

private:
    PageView *m_view;
};

} // namespace qwk
