#include "ui/version/BMPAbout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

QFont InfoLabelFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPointSize(8);
    return f;
}

QLabel* MakeInfoLabel(QWidget* Parent, const QString& Name, Qt::Alignment Align)
{
    auto* l = new QLabel(Parent);
    l->setObjectName(Name);
    l->setFont(InfoLabelFont());
    l->setAlignment(Align | Qt::AlignVCenter);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

void CentreOn(QWidget* Form, const QWidget* Owner)
{
    QRect area;
    if (Owner && Owner->isVisible())
        area = Owner->frameGeometry();
    else if (const QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isValid()) Form->move(area.center() - QPoint(Form->width() / 2, Form->height() / 2));
}

TBmpAboutForm::TBmpAboutForm(QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("BmpAboutForm"));
    setFixedSize(350, 250);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 350, 250);
    Image1->setScaledContents(true);
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    const int lineH = 16;
    Label1 = MakeInfoLabel(this, QStringLiteral("Label1"), Qt::AlignLeft);
    Label1->setGeometry(8, 250 - 8 - 2 * lineH, 220, lineH);
    Label3 = MakeInfoLabel(this, QStringLiteral("Label3"), Qt::AlignLeft);
    Label3->setGeometry(8, 250 - 8 - lineH, 250, lineH);
    LblVersion = MakeInfoLabel(this, QStringLiteral("LblVersion"), Qt::AlignRight);
    LblVersion->setGeometry(250 - 8, 250 - 8 - lineH, 100, lineH);
}

void TBmpAboutForm::SetContents(const QPixmap& Picture, const QString& Publisher, const QString& Website,
                                const QString& VersionText, const QColor& LabelsColor)
{
    Image1->setPixmap(Picture);
    Label1->setText(Publisher);
    Label3->setText(Website);
    LblVersion->setText(VersionText);
    for (QLabel* l : {Label1, Label3, LblVersion}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, LabelsColor);
        l->setPalette(p);
    }
}

void TBmpAboutForm::mousePressEvent(QMouseEvent* Event)
{
    Event->accept();
    accept();
}

void TBmpAboutForm::showEvent(QShowEvent* Event)
{
    CentreOn(this, parentWidget());
    QDialog::showEvent(Event);
}
