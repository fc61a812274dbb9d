#pragma once

#include <array>
#include <string_view>

// The program's tool pictures by index: the same index in every image list
// (TNonVisModul). The pictures are our own, drawn by ui/resources/IconGenerator.cpp
// into ui/resources/icons/<name>_<size>.png at 16, 24, 32, 48 and 64 pixels.
// The indices are fixed: windows and stored settings refer to them by number.
enum TImageIndex : int {
    iiNew = 0,          // new project
    iiOpen = 1,         // open project
    iiClose = 2,        // close project
    iiPrint = 3,        // print
    iiPdf = 4,          // PDF output
    iiRun = 5,          // start the simulation
    iiPause = 6,        // pause the simulation
    iiStop = 7,         // stop the simulation
    iiFile = 8,         // choose a file (buttons of file edits)
    iiMesh = 9,         // generate the mesh
    iiProbe = 10,       // a probe
    iiProbeField = 11,  // a field of probes
    iiSave = 12,        // save
    iiZoomIn = 13,
    iiZoomOut = 14,
    iiZoomAll = 15,
    iiMap = 16,         // background map
    iiIsotherms = 17,   // contour lines
    iiOptions = 18,     // settings
    iiDelete = 19,      // delete
    iiGraph = 20,       // show in the graph
    iiFolder = 21,      // choose a folder (buttons of folder edits)
    iiHeatpump = 22,
    iiLoadProfile = 23,
    iiGroundwater = 24,
    iiMonitoring = 25,
    iiTable = 26,
    iiExport = 27,
    iiCopy = 28,
    iiHelp = 29,
    iiInfo = 30,
    iiAdd = 31,
    iiEdit = 32,
    iiMove = 33,
    iiRotate = 34,
    iiSelect = 35,
    iiDashboard = 36,
    iiSurface = 37,
    iiSetup = 38,       // plant concept and values
    iiTemperature = 39,
    iiCount = 40
};

// File stems of the pictures, in index order.
inline constexpr std::array<std::string_view, iiCount> ImageNames{
    "new",      "open",   "close",   "print",    "pdf",       "run",       "pause",       "stop",
    "file",     "mesh",   "probe",   "probefield", "save",    "zoomin",    "zoomout",     "zoomall",
    "map",      "isotherms", "options", "delete", "graph",     "folder",    "heatpump",    "loadprofile",
    "groundwater", "monitoring", "table", "export", "copy",   "help",      "info",        "add",
    "edit",     "move",   "rotate",  "select",   "dashboard", "surface",   "setup",       "temperature"};

// Pixel sizes the pictures exist in.
inline constexpr std::array<int, 5> ImageSizes{16, 24, 32, 48, 64};
