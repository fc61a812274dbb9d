#pragma once

#include "gfx/CustomCanvas.h"
#include "gfx/WinTypes.h"
#include "model/base/MVStreamList.h"
#include "model/settings/Streamft.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TCustomIniFile;

// What a print field needs of the controls a settings form lends it: an edit
// and its label, or a labelled edit. The form implements them on its widgets;
// the defaults do nothing.
class TFieldControl {
public:
    virtual ~TFieldControl() = default;
    virtual void SetVisible(bool Value) { (void)Value; }
    virtual void SetText(const QString& Value) { (void)Value; }
};

class TLabeledFieldControl {
public:
    virtual ~TLabeledFieldControl() = default;
    virtual void SetLabelText(const QString& Value) { (void)Value; }
    virtual void SetVisible(bool Value) { (void)Value; }
};

// A named text item of a printed page: the value is drawn with the field's
// own font or the page's, at a place the caller gives or at a fixed place in
// millimetres. Pages are drawn in tenths of a millimetre.
class TUserField : public TObject {
public:
    explicit TUserField(const QString& AName);
    ~TUserField() override;
    TUserField(const TUserField&) = delete;
    TUserField& operator=(const TUserField&) = delete;

    QString ClassName() const override { return QStringLiteral("TUserField"); }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { FVisible = Value; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& Value) { FCaption = Value; }
    const QString& Name() const { return FName; }
    void SetName(const QString& Value) { FName = Value; }
    bool DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(bool Value) { FDefaultFont = Value; }
    bool DefaultPos() const { return FDefaultPos; }
    void SetDefaultPos(bool Value) { FDefaultPos = Value; }
    int Y() const { return FY; }
    void SetY(int Value) { FY = Value; }
    int X() const { return FX; }
    void SetX(int Value) { FX = Value; }
    Streamft::TStreamFont* Font() const { return FFont.get(); }
    // Takes the font over; the previous one is freed. Null keeps the old one.
    void SetFont(std::unique_ptr<Streamft::TStreamFont> Value);
    bool Selected() const { return FSelected; }
    void SetSelected(bool Value) { FSelected = Value; }

    // Section "User": Name + "Visible", "Caption", "DefFont", "DefPos",
    // "PosX", "PosY"; the font in "User\Fonts" under the prefix Name.
    virtual void WriteToReg(TCustomIniFile& R) const;
    // Every value falls back to its current one.
    virtual void ReadFromReg(const TCustomIniFile& R);
    virtual void SetGUI(TFieldControl* AEdit, TFieldControl* ALabel) const;
    virtual void SetGUI(TLabeledFieldControl* AControl) const;
    // AText alone (callers draw the caption themselves), at (xPos, yPos) or
    // at the field's own place.
    virtual void Draw(TCustomCanvas* ACanvas, const QString& AText, const Streamft::TStreamFont* TheDefaultFont,
                      int xPos, int yPos) const;
    // A red dashed frame round what GetDrawRect gives; the pen is kept.
    virtual void DrawSelected(TCustomCanvas* ACanvas, const QString& AText,
                              const Streamft::TStreamFont* TheDefaultFont) const;
    // Where Caption + ": " + AText lies at the field's own place; empty when
    // invisible or placed by the caller.
    virtual TRect GetDrawRect(TCustomCanvas* ACanvas, const QString& AText,
                              const Streamft::TStreamFont* TheDefaultFont) const;

private:
    void ApplyFont(TCustomCanvas& ACanvas) const;
    void RestoreFont(TCustomCanvas& ACanvas, const Streamft::TStreamFont* TheDefaultFont, const TFont& Saved) const;
    TRect OwnRect(TCustomCanvas& ACanvas, const QString& AText) const;

    bool FVisible = false;
    QString FCaption;
    QString FName;
    bool FDefaultFont = true;
    bool FDefaultPos = true;
    int FY = 0;
    int FX = 0;
    std::unique_ptr<Streamft::TStreamFont> FFont;
    bool FSelected = false;
};

// The print fields of the program: "TestField", "DischargeField",
// "WaterlevelField" and "AnalysisField", made on first use.
std::vector<std::unique_ptr<TUserField>>& UserFields();
// The company block and the default font that go with them.
QStringList& UserFieldCompanyLines();
Streamft::TStreamFont& UserFieldDefaultFont();
