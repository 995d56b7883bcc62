#include "app/treeicons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace qwk {

namespace {

// Our own pictures, drawn at a few sizes so they stay sharp when scaled.
QIcon drawnIcon(const QString &key)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        const QPen outline(QColor(0x55, 0x55, 0x55), 1);
        if (key == u"column") {
            // Two columns of lines side by side: a column break of the menu.
            p.setPen(QPen(QColor(0x3c, 0x6e, 0xb4), 1.5));
            for (int y = 3; y <= 13; y += 3) {
                p.drawLine(QPointF(2, y), QPointF(6.5, y));
                p.drawLine(QPointF(9.5, y), QPointF(14, y));
            }
            p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1, Qt::DashLine));
            p.drawLine(QPointF(8, 1), QPointF(8, 15));
        } else if (key == u"stop") {
            p.setPen(outline);
            p.setBrush(QColor(0xc8, 0x32, 0x32));
            QPainterPath oct;
            const double a = 4.5, b = 11.5, lo = 1.5, hi = 14.5;
            oct.moveTo(a, lo);
            oct.lineTo(b, lo);
            oct.lineTo(hi, a);
            oct.lineTo(hi, b);
            oct.lineTo(b, hi);
            oct.lineTo(a, hi);
            oct.lineTo(lo, b);
            oct.lineTo(lo, a);
            oct.closeSubpath();
            p.drawPath(oct);
            p.setPen(QPen(Qt::white, 1.6));
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
        } else if (key == u"cb" || key == u"ob") {
            p.setPen(outline);
            p.setBrush(QColor(0xe8, 0xc0, 0x5a));
            p.drawRect(QRectF(1.5, 4.5, 13, 9));
            p.drawRect(QRectF(1.5, 3, 5, 2));
            if (key == u"ob") {
                p.setBrush(QColor(0xf6, 0xda, 0x8a));
                QPolygonF lid({QPointF(3.5, 7.5), QPointF(15, 7.5), QPointF(13, 13.5), QPointF(1.5, 13.5)});
                p.drawPolygon(lid);
            }
        } else if (key == u"page") {
            p.setPen(outline);
            p.setBrush(Qt::white);
            QPolygonF sheet({QPointF(3.5, 1.5), QPointF(10, 1.5), QPointF(12.5, 4), QPointF(12.5, 14.5), QPointF(3.5, 14.5)});
            p.drawPolygon(sheet);
            p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
            for (int y = 6; y <= 12; y += 2)
                p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
        } else if (key == u"cut") {
            p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1.4));
            p.drawLine(QPointF(4, 2), QPointF(11, 11));
            p.drawLine(QPointF(12, 2), QPointF(5, 11));
            p.drawEllipse(QPointF(4, 12.5), 2, 2);
            p.drawEllipse(QPointF(12, 12.5), 2, 2);
        } else if (key == u"copy" || key == u"paste") {
            p.setPen(outline);
            if (key == u"paste") {
                p.setBrush(QColor(0xb0, 0x8a, 0x5a));
                p.drawRect(QRectF(2.5, 2.5, 9, 12));
                p.setBrush(QColor(0xcc, 0xcc, 0xcc));
                p.drawRect(QRectF(5, 1.5, 4, 2.5));
            } else {
                p.setBrush(Qt::white);
                p.drawRect(QRectF(2.5, 1.5, 8, 10));
            }
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 5.5, 8, 10));
        } else if (key == u"delete") {
            p.setPen(QPen(QColor(0xc8, 0x32, 0x32), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QString themeName(const QString &key)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("cb"), QStringLiteral("folder")},
        {QStringLiteral("ob"), QStringLiteral("folder-open")},
        {QStringLiteral("page"), QStringLiteral("text-html")},
        {QStringLiteral("cut"), QStringLiteral("edit-cut")},
        {QStringLiteral("copy"), QStringLiteral("edit-copy")},
        {QStringLiteral("paste"), QStringLiteral("edit-paste")},
        {QStringLiteral("delete"), QStringLiteral("edit-delete")},
    };
    return names.value(key);
}

} // namespace

QIcon treeIcon(const QString &imageKey)
{
    static QHash<QString, QIcon> cache;
    auto it = cache.find(imageKey);
    if (it != cache.end())
        return *it;
    QIcon icon;
    const QString name = themeName(imageKey);
    if (!name.isEmpty() && QIcon::hasThemeIcon(name))
        icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = drawnIcon(imageKey);
    cache.insert(imageKey, icon);
    return icon;
}

} // namespace qwk
