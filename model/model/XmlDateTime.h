#pragma once

// Date-times in XML documents as ISO 8601 text ("2025-01-01T06:30:00",
// milliseconds added only when there are any). No time zones: a zone
// suffix on reading is ignored, as the program's times are local.

#include "model/base/DateTime.h"

#include <QString>
#include <pugixml.hpp>

QString DateTimeToXmlText(TDateTime DT);
// False for text that is no date ("2025-13-01", "morgen"); DT is then unchanged.
bool TryXmlTextToDateTime(const QString& Text, TDateTime& DT);

void WriteXmlDateTime(pugi::xml_node Node, const char* Name, TDateTime Value);
// Default when the child is missing or holds no date.
TDateTime ReadXmlDateTime(pugi::xml_node Node, const char* Name, TDateTime Default);
