#include "ui/results/LEDDisplay.h"

#include <QFontDatabase>
#include <QPainter>

TLEDDisplay::TLEDDisplay(const QString& ACaption, QWidget* Parent) : QWidget(Parent), FCaption(ACaption)
{
    setMinimumSize(140, 42);
}

void TLEDDisplay::SetText(const QString& V)
{
    if (V == FText) return;
    FText = V;
    update();
}

void TLEDDisplay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont caption = font();
    caption.setPointSizeF(std::max(6.5, caption.pointSizeF() * 0.85));
    p.setFont(caption);
    const int captionHeight = QFontMetrics(caption).height();
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(2, 0, width() - 4, captionHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(caption).elidedText(FCaption, Qt::ElideRight, width() - 4));

    const QRectF field(1, captionHeight + 1, width() - 2, height() - captionHeight - 2);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(16, 20, 16));
    p.drawRoundedRect(field, 3, 3);
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setBold(true);
    digits.setPixelSize(std::max(9, int(field.height() * 0.62)));
    p.setFont(digits);
    p.setPen(QColor(255, 176, 40));
    p.drawText(field.adjusted(4, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, FText);
}

TStatusIndicator::TStatusIndicator(const QString& ACaption, QWidget* Parent) : QWidget(Parent), FCaption(ACaption)
{
    setMinimumSize(110, 24);
}

void TStatusIndicator::SetCaption(const QString& V)
{
    if (V == FCaption) return;
    FCaption = V;
    update();
}

void TStatusIndicator::SetColor(const QColor& V)
{
    if (V == FColor) return;
    FColor = V;
    update();
}

void TStatusIndicator::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double d = std::min(height() - 6, 18);
    QRadialGradient lamp(QPointF(3 + d / 3, height() / 2.0 - d / 5), d);
    lamp.setColorAt(0, FColor.lighter(170));
    lamp.setColorAt(1, FColor.darker(130));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(lamp);
    p.drawEllipse(QRectF(3, (height() - d) / 2, d, d));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRectF(d + 9, 0, width() - d - 9, height()), Qt::AlignLeft | Qt::AlignVCenter, FCaption);
}
