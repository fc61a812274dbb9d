#pragma once

#include "gfx/Colors.h"
#include "gfx/WinTypes.h"
#include "model/base/MVStreamList.h"
#include "model/base/Versions.h"
#include "model/settings/ModelDefaults.h"
#include "model/settings/Streamft.h"

#include <QString>
#include <QStringList>

// The program's settings key; in QSettings organisation "Mirvatek",
// application "KP", group "2.0".
inline const QString RegistryBasePath = QStringLiteral("Software\\Mirvatek\\KP\\2.0");

// Every setting is a global with a built-in default; the settings object
// reads them at start-up and writes them when the user confirms the options.
// Call InitProgramSettings (or ProgramSettings) before reading any of them.
extern float BHESize;               // half-size of a probe symbol, pixels
extern float NodeSize;              // size of a node symbol
extern QString TriangleLocation;    // the mesh generator program
extern QString TriangleParameter;   // its switches
extern QString TempDir;             // mesh files and the initial temperatures
extern bool WarnOnEmptyAutosave;
extern QString DataDir;             // default result folder
extern bool PDFEnable;
extern QString PDFDriver;
extern TRect PrintMargins;          // tenths of a millimetre
extern bool DrawFrame;
extern bool LogMouseWheel;          // read only
extern QStringList CompanyLines;
extern Streamft::TStreamFont CompanyFont;
extern int LogoStyle;
extern QString LogoFile;
extern double DashHPMax;
extern double DashCOPMax;
extern double DashElecMax;
extern int DashHPSeg;
extern int DashCOPSeg;
extern int DashElecSeg;

// Not stored; the main window's.
extern float GridOpacity;
extern float MapOpacity;
extern TColor ElementColor;
extern TColor HoverColor;
extern bool ShowExampleList;
extern int ExportMegapixels;

// Built-in defaults of the settings that depend on where the program runs.
QString DefaultTempDir();           // QDir::tempPath() + "/KP"
QString DefaultTriangleLocation();  // "triangle" next to the executable

// TempDir, created when missing; EFileError when it cannot be.
QString WorkTempDir();

class TCustomIniFile;

// Reads, writes and edits the settings; the settings themselves are the
// globals above.
class TProgramSettings : public TObject {
public:
    // Reads the settings from the key.
    explicit TProgramSettings(const QString& ARegPath);

    QString ClassName() const override { return QStringLiteral("TProgramSettings"); }
    const QString& RegPath() const { return fRegPath; }

    virtual void ReadSettings();
    // Everything but "LogMouseWheel" and the "Dashboard" section.
    virtual void WriteSettings();
    // The options dialog; true exactly on OK. Cancel changes and writes
    // nothing; OK takes over only the values the user changed, so a margin of
    // 20.5 mm stays 205 when its millimetre field was left alone.
    virtual bool Edit();
    // The "Dashboard" section, for the gauge-scaling window.
    virtual void WriteInstrumentScaling();

    // The same on any store, in the same order.
    void ReadSettings(const TCustomIniFile& Ini);
    void WriteSettings(TCustomIniFile& Ini);
    void WriteInstrumentScaling(TCustomIniFile& Ini);

private:
    QString fRegPath;
};

// The one settings object, made (and the settings read) on first use.
TProgramSettings& ProgramSettings();
// Start-up: built-in defaults, then the stored settings.
void InitProgramSettings();
// Shut-down, and tests: frees the settings object and puts every global back
// to its built-in default without touching the store; the next
// ProgramSettings() reads again.
void ResetProgramSettings();
