#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <initializer_list>
#include <variant>

// Numbers shown to or typed by the user: the user's locale, group separators
// off ("1234,5" in German, not "1.234,5"). File formats never use these.
QLocale UserLocale();

// Fixed notation with Digits decimals; empty text for NaN and infinities.
QString FloatToFixedOrEmpty(double X, int Digits);

// General format with 15 significant digits, as the platform's FloatToStr.
QString FloatToStr(double X);
QString IntToStr(std::int64_t X);

// Patterns of "0", "#", ".", ",", "E+0"/"E-0" and quoted text, with up to
// three sections "positive;negative;zero". Halves round away from zero.
QString FormatFloat(const QString& Pattern, double X);

// printf-like formatting in the user's locale: %d %u %x %s %f %e %g %n %m
// with optional "-", width and ".precision"; "%%" for a percent sign.
// %f, %n and %m default to 2 decimals, %g to 15 significant digits.
using TVarRec = std::variant<std::int64_t, double, QString>;
QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args);

// Text typed by the user. Accepts the locale's decimal separator and also
// "."; surrounding blanks are ignored. StrToFloat raises EConvertError.
bool TryStrToFloat(const QString& S, double& Value);
double StrToFloat(const QString& S);
double StrToFloatDef(const QString& S, double Default);
bool TryStrToInt(const QString& S, int& Value);
int StrToInt(const QString& S);

// Locale-free forms for files: shortest text that reads back to the same
// double, "NaN", "INF", "-INF".
QString FloatToStrC(double X);
// Whole text (blanks around allowed) as a number, "." decimals; "NaN", "INF"
// and "-INF" accepted in any letter case.
bool TryStrToFloatC(QStringView S, double& Value);
