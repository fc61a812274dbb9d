#include "ui/probes/FluidPropertiesWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "model/base/NumberText.h"
#include "model/probes/ThermUtil.h"

#include <cmath>
#include <exception>

TFluidPropForm::TFluidPropForm(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FluidPropForm"));
    setWindowTitle(QStringLiteral("Fluid properties"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    LblFluid = new QLabel(QStringLiteral("Fluid"), this);
    grid->addWidget(LblFluid, 0, 0);
    ListBoxFluids = new QListWidget(this);
    ListBoxFluids->setObjectName(QStringLiteral("ListBoxFluids"));
    for (int f = 0; f <= FluidMaxOrdinal; ++f) ListBoxFluids->addItem(FluidName(static_cast<TFluid>(f)));
    ListBoxFluids->setFixedHeight(ListBoxFluids->sizeHintForRow(0) * (FluidMaxOrdinal + 1) + 6);
    LblFluid->setBuddy(ListBoxFluids);
    grid->addWidget(ListBoxFluids, 1, 0, 1, 2);

    auto* tempLabel = new QLabel(QStringLiteral("Fluidtemperatur °C"), this);
    grid->addWidget(tempLabel, 2, 0, 1, 2);
    EdtTemp = new QLineEdit(this);
    EdtTemp->setObjectName(QStringLiteral("EdtTemp"));
    EdtTemp->setPlaceholderText(QStringLiteral("Werte -10 (0 für Wasser) bis 100"));
    tempLabel->setBuddy(EdtTemp);
    grid->addWidget(EdtTemp, 3, 0, 1, 2);

    MemoResults = new QPlainTextEdit(this);
    MemoResults->setObjectName(QStringLiteral("MemoResults"));
    MemoResults->setReadOnly(true);
    MemoResults->setFixedHeight(48);
    QPalette pal = MemoResults->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::Text, pal.color(QPalette::ToolTipText));
    MemoResults->setPalette(pal);
    grid->addWidget(MemoResults, 4, 0, 1, 2);
    BtnCopy = new QPushButton(QStringLiteral("Copy"), this);
    BtnCopy->setObjectName(QStringLiteral("BtnCopy"));
    grid->addWidget(BtnCopy, 5, 1, Qt::AlignRight);
    grid->setColumnStretch(0, 1);

    connect(ListBoxFluids, &QListWidget::currentRowChanged, this, [this] { Recalculate(); });
    connect(EdtTemp, &QLineEdit::textChanged, this, [this] { Recalculate(); });
    connect(BtnCopy, &QPushButton::clicked, this, [this] { BtnCopyClick(); });
    setMinimumWidth(300);
}

void TFluidPropForm::Recalculate()
{
    MemoResults->clear();
    double t;
    if (!TryStrToFloat(EdtTemp->text(), t) || !std::isfinite(t)) return;
    const int row = ListBoxFluids->currentRow();
    if (row < 0 || row > FluidMaxOrdinal) {
        MemoResults->appendPlainText(QStringLiteral("Fluid auswählen"));
        return;
    }
    const auto fluid = static_cast<TFluid>(row);
    // The fluid data end there; outside, the properties would be clamped to
    // the edge and look valid.
    const double lowest = fluid == flWasser ? 0 : -10;
    try {
        if (t >= lowest && t <= 100)
            MemoResults->appendPlainText(QStringLiteral("ρCP ") +
                                         FormatFloat(QStringLiteral("0.#"), VolumetricHeatCapacity(fluid, t)) +
                                         QStringLiteral(" J/m³/K"));
        else
            MemoResults->appendPlainText(QStringLiteral("Temperatur außerhalb des zulässigen Bereichs."));
    } catch (const std::exception&) {
        // A calculator line: what was shown before the error stays, nothing more.
    }
}

void TFluidPropForm::BtnCopyClick()
{
    QString text = MemoResults->textCursor().selectedText();
    if (text.isEmpty()) text = MemoResults->toPlainText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}
