#include "app/stylepreview.h"

#include "app/pageview.h"
#include "stylesheet/clscss.h"

#include <QDir>
#include <QVBoxLayout>

namespace qwk {

StylePreview::StylePreview(clsCSS &css, QWidget *parent) : QWidget(parent), m_view(createPageView(this))
{
    setObjectName(QStringLiteral("webBrowserCSS"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(&css, &clsCSS::previewReady, this, &StylePreview::showPage);
    // An empty document until the first preview.
    m_view->setHtml(QStringLiteral("<html><body></body></html>"), baseUrl());
}

QUrl StylePreview::baseUrl()
{
    return QUrl::fromLocalFile(QDir::currentPath() + u'/');
}

void StylePreview::showPage(const QString &html)
{
    m_view->setHtml(html, baseUrl());
}

} // namespace qwk
