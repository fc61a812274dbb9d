#include "model/settings/Preferences.h"

#include "model/settings/IniFiles.h"

#include <algorithm>
#include <limits>

namespace {

const QString SUser = QStringLiteral("User");
const QString SUserFonts = QStringLiteral("User\\Fonts");

// Millimetres to page units; positions read from the settings may be anything.
int PageUnits(int MM)
{
    constexpr int limit = std::numeric_limits<int>::max() / 10;
    return std::clamp(MM, -limit, limit) * 10;
}

} // namespace

TUserField::TUserField(const QString& AName)
    : FName(AName), FDefaultFont(true), FDefaultPos(true), FY(0), FX(0),
      FFont(std::make_unique<Streamft::TStreamFont>()), FSelected(false)
{
}

TUserField::~TUserField() = default;

void TUserField::SetFont(std::unique_ptr<Streamft::TStreamFont> Value)
{
    if (Value) FFont = std::move(Value);
}

void TUserField::WriteToReg(TCustomIniFile& R) const
{
    R.WriteBool(SUser, FName + QStringLiteral("Visible"), FVisible);
    R.WriteString(SUser, FName + QStringLiteral("Caption"), FCaption);
    R.WriteBool(SUser, FName + QStringLiteral("DefFont"), FDefaultFont);
    R.WriteBool(SUser, FName + QStringLiteral("DefPos"), FDefaultPos);
    R.WriteInteger(SUser, FName + QStringLiteral("PosX"), FX);
    R.WriteInteger(SUser, FName + QStringLiteral("PosY"), FY);
    FFont->WriteToIniFile(&R, SUserFonts, FName);
}

void TUserField::ReadFromReg(const TCustomIniFile& R)
{
    SetVisible(R.ReadBool(SUser, FName + QStringLiteral("Visible"), FVisible));
    SetCaption(R.ReadString(SUser, FName + QStringLiteral("Caption"), FCaption));
    SetDefaultFont(R.ReadBool(SUser, FName + QStringLiteral("DefFont"), FDefaultFont));
    SetDefaultPos(R.ReadBool(SUser, FName + QStringLiteral("DefPos"), FDefaultPos));
    SetX(R.ReadInteger(SUser, FName + QStringLiteral("PosX"), FX));
    SetY(R.ReadInteger(SUser, FName + QStringLiteral("PosY"), FY));
    FFont->ReadFromIniFile(&R, SUserFonts, FName);
}

void TUserField::SetGUI(TFieldControl* AEdit, TFieldControl* ALabel) const
{
    if (AEdit) AEdit->SetVisible(FVisible);
    if (ALabel) {
        ALabel->SetVisible(FVisible);
        ALabel->SetText(FCaption);
    }
}

void TUserField::SetGUI(TLabeledFieldControl* AControl) const
{
    if (!AControl) return;
    AControl->SetLabelText(FCaption);
    AControl->SetVisible(FVisible);
}

void TUserField::ApplyFont(TCustomCanvas& ACanvas) const
{
    if (!FDefaultFont) FFont->SetCanvasFont(&ACanvas);
}

void TUserField::RestoreFont(TCustomCanvas& ACanvas, const Streamft::TStreamFont* TheDefaultFont,
                             const TFont& Saved) const
{
    if (FDefaultFont) return;
    // Without a page font the canvas gets back the font it had.
    if (TheDefaultFont)
        TheDefaultFont->SetCanvasFont(&ACanvas);
    else
        ACanvas.Font().Assign(Saved);
}

TRect TUserField::OwnRect(TCustomCanvas& ACanvas, const QString& AText) const
{
    const TSize ext = ACanvas.TextExtent(FCaption + QStringLiteral(": ") + AText);
    const int x = PageUnits(FX);
    const int y = PageUnits(FY);
    return TRect{x, y, x + ext.cx, y + ext.cy};
}

void TUserField::Draw(TCustomCanvas* ACanvas, const QString& AText, const Streamft::TStreamFont* TheDefaultFont,
                      int xPos, int yPos) const
{
    if (!FVisible || !ACanvas) return;
    const TFont saved = ACanvas->Font();
    ApplyFont(*ACanvas);
    if (FDefaultPos)
        ACanvas->TextOut(xPos, yPos, AText);
    else
        ACanvas->TextOut(PageUnits(FX), PageUnits(FY), AText);
    RestoreFont(*ACanvas, TheDefaultFont, saved);
}

TRect TUserField::GetDrawRect(TCustomCanvas* ACanvas, const QString& AText,
                              const Streamft::TStreamFont* TheDefaultFont) const
{
    if (!FVisible || FDefaultPos || !ACanvas) return TRect{};
    const TFont saved = ACanvas->Font();
    ApplyFont(*ACanvas);
    const TRect r = OwnRect(*ACanvas, AText);
    RestoreFont(*ACanvas, TheDefaultFont, saved);
    return r;
}

void TUserField::DrawSelected(TCustomCanvas* ACanvas, const QString& AText,
                              const Streamft::TStreamFont* TheDefaultFont) const
{
    if (!FVisible || !FSelected || FDefaultPos || !ACanvas) return;
    const TFont saved = ACanvas->Font();
    ApplyFont(*ACanvas);
    const TRect r = OwnRect(*ACanvas, AText);
    const TPen oldPen = ACanvas->Pen();
    ACanvas->Pen().SetColor(clRed);
    ACanvas->Pen().SetStyle(psDash);
    ACanvas->Pen().SetWidth(0);
    ACanvas->Rectangle(r);
    ACanvas->Pen().Assign(oldPen);
    RestoreFont(*ACanvas, TheDefaultFont, saved);
}

std::vector<std::unique_ptr<TUserField>>& UserFields()
{
    static std::vector<std::unique_ptr<TUserField>> fields = [] {
        std::vector<std::unique_ptr<TUserField>> v;
        for (const char* name : {"TestField", "DischargeField", "WaterlevelField", "AnalysisField"})
            v.push_back(std::make_unique<TUserField>(QString::fromLatin1(name)));
        return v;
    }();
    return fields;
}

QStringList& UserFieldCompanyLines()
{
    static QStringList lines{QStringLiteral("Mirvatek"), QStringLiteral("Software für Erdwärmesonden"),
                             QStringLiteral("Deutschland"), QStringLiteral("www.mirvatek.de")};
    return lines;
}

Streamft::TStreamFont& UserFieldDefaultFont()
{
    static Streamft::TStreamFont font;
    return font;
}
