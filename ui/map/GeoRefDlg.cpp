#include "ui/map/GeoRefDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/project/ProjectDialogs.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <cmath>

TGeoRefDlg::TGeoRefDlg(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("GeoRefDlg"));
    setWindowTitle(QStringLiteral("Kartenbild georeferenzieren"));
    auto* layout = new QVBoxLayout(this);
    GroupImage = new QGroupBox(QStringLiteral("Bildkoordinaten"), this);
    auto* inner = new QVBoxLayout(GroupImage);
    LblImageSize = new QLabel(GroupImage);
    Label2 = new QLabel(QStringLiteral("Geben Sie die Bildecken in realen Koordinaten an."), GroupImage);
    inner->addWidget(LblImageSize);
    inner->addWidget(Label2);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addStretch();
    left->addWidget(CornerGroup(QStringLiteral("Links unten"), edtllx, edtlly));
    middle->addLayout(left);
    Image1 = new QLabel(GroupImage);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(200, 150);
    Image1->setFrameShape(QFrame::StyledPanel);
    middle->addWidget(Image1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(CornerGroup(QStringLiteral("Rechts oben"), edturx, edtury));
    right->addStretch();
    middle->addLayout(right);
    inner->addLayout(middle, 1);
    layout->addWidget(GroupImage, 1);

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    resize(579, 435);
}

QGroupBox* TGeoRefDlg::CornerGroup(const QString& Caption, QLineEdit*& EdtX, QLineEdit*& EdtY)
{
    auto* group = new QGroupBox(Caption, GroupImage);
    auto* form = new QFormLayout(group);
    EdtX = new QLineEdit(group);
    EdtY = new QLineEdit(group);
    form->addRow(QStringLiteral("X [m]"), EdtX);
    form->addRow(QStringLiteral("Y [m]"), EdtY);
    return group;
}

void TGeoRefDlg::SetData(const TGeoreferenceEditData& Data)
{
    LblImageSize->setText(Data.ImageSize);
    edtllx->setText(Data.LLX);
    edtlly->setText(Data.LLY);
    edturx->setText(Data.URX);
    edtury->setText(Data.URY);
    FImage = Data.Image;
    ShowPreview();
}

void TGeoRefDlg::GetData(TGeoreferenceEditData& Data) const
{
    Data.LLX = edtllx->text();
    Data.LLY = edtlly->text();
    Data.URX = edturx->text();
    Data.URY = edtury->text();
}

void TGeoRefDlg::ShowPreview()
{
    if (FImage.isNull()) {
        Image1->clear();
        return;
    }
    const QSize room = Image1->contentsRect().size();
    Image1->setPixmap(QPixmap::fromImage(FImage.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TGeoRefDlg::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    ShowPreview();
}

QString TGeoRefDlg::CheckExtent(QLineEdit*& Field) const
{
    struct TField {
        QLineEdit* Edit;
        const char16_t* Name;
    };
    const TField fields[] = {{edtllx, u"X links unten"}, {edtlly, u"Y links unten"},
                             {edturx, u"X rechts oben"}, {edtury, u"Y rechts oben"}};
    double v[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!TryStrToFloat(fields[i].Edit->text(), v[i]) || !std::isfinite(v[i])) {
            Field = fields[i].Edit;
            return QStringLiteral("„%1“ ist keine gültige Zahl für %2.")
                .arg(fields[i].Edit->text(), QString::fromUtf16(fields[i].Name));
        }
    }
    if (!(v[2] > v[0])) {
        Field = edturx;
        return QStringLiteral("X rechts oben muss größer sein als X links unten.");
    }
    if (!(v[3] > v[1])) {
        Field = edtury;
        return QStringLiteral("Y rechts oben muss größer sein als Y links unten.");
    }
    Field = nullptr;
    return QString();
}

void TGeoRefDlg::accept()
{
    QLineEdit* field = nullptr;
    const QString error = CheckExtent(field);
    if (!error.isEmpty()) {
        Prompter().ShowError(error);
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}
