#pragma once

// The plan's own pictures, drawn by code so that no image files are needed: the
// icons of the placer's handles ("CRns", "CRwe", "CRnwse", "CRmove", "CRrotate")
// and the groundwater flow arrow ("ArrowGW"), at the pixel sizes the handles
// expect, with alpha.

#include <QImage>
#include <QString>

// Raises EKPError for a name that is not one of the plan's pictures.
QImage PlanIcon(const QString& ResName);
