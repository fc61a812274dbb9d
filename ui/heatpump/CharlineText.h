#pragma once

#include <QString>

// The text of a characteristic line value = A × ϑ + B as the heat-pump dialog
// and the heat-pump page show it: B, the sign of A, |A| (both with two
// decimals in the user's locale), then "×ϑ", e.g. "4,60+0,10×ϑ" or
// "9,00-0,20×ϑ". The sign is written out for either slope, so a falling
// heating line never reads "+-" and a rising cooling line never runs its two
// numbers together. Empty text when A or B is not finite (a line not set).
QString CharlineText(double A, double B);
