#pragma once

#include <QString>
#include <pugixml.hpp>

// Element values of the probe XML forms. Numbers are written locale-free at
// round-trip precision ("NaN" for a value not set), so that a geo-referenced
// position survives a save; readers accept any decimal form, including the
// six-digit one older files hold.

void WriteXmlFloat(pugi::xml_node Node, const char* Name, double Value);
void WriteXmlInt(pugi::xml_node Node, const char* Name, int Value);
void WriteXmlString(pugi::xml_node Node, const char* Name, const QString& Value);

// Default when the child is missing; a child whose text is no number reads as
// NaN, so that garbage never turns into a plausible value.
double ReadXmlFloat(pugi::xml_node Node, const char* Name, double Default);
// Default when the child is missing or holds no whole number.
int ReadXmlInt(pugi::xml_node Node, const char* Name, int Default);
QString ReadXmlString(pugi::xml_node Node, const char* Name, const QString& Default = QString());

QString XmlAttributeText(pugi::xml_node Node, const char* Name);

// A document with an UTF-8 declaration and one root element of the given name.
pugi::xml_node NewXmlDocument(pugi::xml_document& Doc, const char* RootName);
// Written through a temporary file into a folder created first; a failed save
// keeps the old file.
void SaveXmlDocument(const pugi::xml_document& Doc, const QString& FileName);
// Raises EFileError when the file cannot be read and EReadError when it is no
// well-formed XML; Doc is only meaningful after success.
void LoadXmlDocument(pugi::xml_document& Doc, const QString& FileName);
