#include "ui/probes/BHEEditTypeDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/base/NumberText.h"
#include "model/probes/BHEDialogs.h"
#include "ui/common/Dpi.h"
#include "ui/common/Prompter.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/probes/TubePictures.h"

#include <cmath>

namespace {

QLineEdit* AddEdit(QFormLayout* Form, const QString& Name, const QString& Label, const QString& TextHint)
{
    auto* e = new QLineEdit(Form->parentWidget());
    e->setObjectName(Name);
    e->setPlaceholderText(TextHint);
    auto* l = new QLabel(Label, Form->parentWidget());
    l->setBuddy(e);
    Form->addRow(l, e);
    return e;
}

void Refuse(QWidget* Focus, const QString& Text, bool Error)
{
    if (Error)
        Prompter().ShowError(Text);
    else
        Prompter().ShowMessage(Text);
    Focus->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(Focus)) e->selectAll();
}

} // namespace

TDlgBHEType::TDlgBHEType(QWidget* Parent, int Dpi)
    : QDialog(Parent), FPictureSize(TubePictureSize(Dpi > 0 ? Dpi : ScreenDpi()))
{
    setObjectName(QStringLiteral("DlgBHEType"));
    setWindowTitle(QStringLiteral("Sondentyp"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    HeaderPanel = new QLabel(QStringLiteral("Bauform und Wärmeübertrager-Eigenschaften der Sonde"), this);
    HeaderPanel->setObjectName(QStringLiteral("HeaderPanel"));
    HeaderPanel->setMargin(10);
    HeaderPanel->setFrameShape(QFrame::StyledPanel);
    QFont bold = HeaderPanel->font();
    bold.setBold(true);
    HeaderPanel->setFont(bold);
    layout->addWidget(HeaderPanel);

    auto* top = new QWidget(this);
    auto* form = new QFormLayout(top);
    form->setContentsMargins(12, 10, 12, 0);
    EdtName = AddEdit(form, QStringLiteral("EdtName"), QStringLiteral("Bezeichnung"), QStringLiteral("erforderlich"));
    ComboSymbol = new QComboBox(top);
    ComboSymbol->setObjectName(QStringLiteral("ComboSymbol"));
    ComboSymbol->setIconSize(QSize(24, 24));
    auto* symbolLabel = new QLabel(QStringLiteral("Symbol"), top);
    symbolLabel->setBuddy(ComboSymbol);
    form->addRow(symbolLabel, ComboSymbol);
    layout->addWidget(top);

    layout->addWidget(MakeLayoutGroup());

    auto* bottom = new QWidget(this);
    auto* form2 = new QFormLayout(bottom);
    form2->setContentsMargins(12, 0, 12, 6);
    EdtRB = AddEdit(form2, QStringLiteral("EdtRB"), QStringLiteral("RB [m·K/W]"), QStringLiteral("typ. Bereich 0,05-0,2"));
    EdtLength = AddEdit(form2, QStringLiteral("EdtLength"), QStringLiteral("Länge [m]"), QString());
    layout->addWidget(bottom, 1);

    FrameOKCancel1 = new TFrameOKCancel(this);
    layout->addWidget(FrameOKCancel1);
    setTabOrder(EdtName, ComboSymbol);
}

QWidget* TDlgBHEType::MakeLayoutGroup()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Sondentyp"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(GroupBox1);
    const struct {
        QLabel** Image;
        QRadioButton** Button;
        const char* Name;
        const char* ImageName;
        QString Caption;
        TTubeType Layout;
    } rows[] = {{&Image1, &RBSingle, "RBSingle", "Image1", QStringLiteral("U-Sonde"), ttSingleU},
                {&Image2, &RBDouble, "RBDouble", "Image2", QStringLiteral("Doppel-U-Sonde"), ttDoubleU},
                {&Image3, &RBCoax, "RBCoax", "Image3", QStringLiteral("Koaxialsonde"), ttCoax}};
    int col = 0;
    for (const auto& r : rows) {
        auto* img = new QLabel(GroupBox1);
        img->setObjectName(QString::fromLatin1(r.ImageName));
        img->setPixmap(TubeCrossSection(r.Layout, FPictureSize));
        img->setAlignment(Qt::AlignCenter);
        auto* rb = new QRadioButton(r.Caption, GroupBox1);
        rb->setObjectName(QString::fromLatin1(r.Name));
        grid->addWidget(img, 0, col, Qt::AlignHCenter);
        grid->addWidget(rb, 1, col, Qt::AlignHCenter);
        *r.Image = img;
        *r.Button = rb;
        ++col;
    }
    RBSingle->setChecked(true);
    auto* outer = new QWidget(this);
    auto* l = new QVBoxLayout(outer);
    l->setContentsMargins(12, 6, 12, 6);
    l->addWidget(GroupBox1);
    return outer;
}

void TDlgBHEType::UpdateImagelist(const QList<QIcon>* AImagelist)
{
    ComboSymbol->clear();
    if (!AImagelist) return;
    for (const QIcon& icon : *AImagelist) ComboSymbol->addItem(icon, QString());
}

void TDlgBHEType::SetData(const TBHETypeEditData& D)
{
    EdtName->setText(D.Name);
    EdtRB->setText(D.RB);
    EdtLength->setText(D.Length);
    ComboSymbol->setCurrentIndex(D.ImageIndex >= 0 && D.ImageIndex < ComboSymbol->count() ? D.ImageIndex : -1);
    if (D.TubeType) {
        RBSingle->setChecked(*D.TubeType == ttSingleU);
        RBDouble->setChecked(*D.TubeType == ttDoubleU);
        RBCoax->setChecked(*D.TubeType == ttCoax);
    }
    EdtName->setFocus();
}

TBHETypeEditData TDlgBHEType::Data() const
{
    TBHETypeEditData d;
    d.Name = EdtName->text();
    d.RB = EdtRB->text();
    d.Length = EdtLength->text();
    d.ImageIndex = ComboSymbol->currentIndex();
    if (RBSingle->isChecked()) d.TubeType = ttSingleU;
    else if (RBDouble->isChecked()) d.TubeType = ttDoubleU;
    else if (RBCoax->isChecked()) d.TubeType = ttCoax;
    return d;
}

bool TDlgBHEType::CheckValues()
{
    if (EdtName->text().trimmed().isEmpty()) {
        Refuse(EdtName, QStringLiteral("Bitte geben Sie eine Bezeichung an"), false);
        return false;
    }
    double rb = 0;
    const bool rbNumber = TryStrToFloat(EdtRB->text(), rb) && std::isfinite(rb);
    if (rbNumber && rb < 0) {
        Refuse(EdtRB, QStringLiteral("Der RB-Wert ist kleiner 0"), true);
        return false;
    }
    if (!rbNumber) {
        Refuse(EdtRB, QStringLiteral("Der RB-Wert ist keine Zahl"), false);
        return false;
    }
    if (ComboSymbol->currentIndex() < 0) {
        Refuse(ComboSymbol, QStringLiteral("Bitte geben Sie ein Symbol an"), false);
        return false;
    }
    double length = 0;
    const bool lengthNumber = TryStrToFloat(EdtLength->text(), length) && std::isfinite(length);
    if (lengthNumber && length < 0) {
        Refuse(EdtLength, QStringLiteral("Die Sondenlänge ist kleiner 0"), true);
        return false;
    }
    if (!lengthNumber) {
        Refuse(EdtLength, QStringLiteral("Die Sondenlänge ist keine Zahl"), false);
        return false;
    }
    return true;
}

void TDlgBHEType::done(int R)
{
    if (R == QDialog::Accepted && !CheckValues()) return;
    QDialog::done(R);
}
