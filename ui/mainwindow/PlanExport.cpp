#include "ui/mainwindow/PlanExport.h"

#include <QSaveFile>

#include "gfx/Canvas.h"
#include "model/base/KPError.h"
#include "model/base/Rounding.h"
#include "model/base/Utilities.h"
#include "model/contours/MVContourObj.h"
#include "model/fe/NumModel.h"
#include "model/project/ProjectObj.h"
#include "plan/PlanView.h"

#include <cmath>

namespace {

// While it lives the project draws in export pixels; afterwards the project
// and the contour map go back to the plan, whatever happened in between.
class TExportConversion {
public:
    TExportConversion(TPlanView& View, TProject& Project) : FView(View), FProject(Project)
    {
        FProject.SetConvertFunction(FView.WorldToExportFunction());
        if (FView.Layer(plContours)) FView.Model()->ContourMap()->SetConvertFunction(FView.WorldToExportFunction());
    }
    ~TExportConversion()
    {
        FProject.SetConvertFunction(FView.WorldToPlanFunction());
        if (!FView.Layer(plContours)) return;
        try {
            // Sets the plan's conversion and recomputes the lines (not during a run).
            FView.ListViewMapItemChecked(plContours, true);
        } catch (...) {
            // The lines stay as they are; the conversion is the plan's again.
            FView.Model()->ContourMap()->SetConvertFunction(FView.WorldToPlanFunction());
        }
    }
    TExportConversion(const TExportConversion&) = delete;
    TExportConversion& operator=(const TExportConversion&) = delete;

private:
    TPlanView& FView;
    TProject& FProject;
};

int PixelSide(double Length, double PxPerMetre)
{
    const double side = std::ceil(Length * PxPerMetre);
    return side >= 1 ? static_cast<int>(side) : 1;
}

} // namespace

bool RenderPlanToBitmap(TPlanView& View, QImage& Bitmap)
{
    TProject* project = View.Project();
    TThermModel* model = View.Model();
    if (!project || !model || !model->FieldModel()) return false;
    double minX, maxX, minY, maxY;
    if (!model->FieldModel()->GetModelExtend(minX, maxX, minY, maxY)) return false;
    const double b = ScaleForPixelCount(ExportPixelBudget, maxX - minX, maxY - minY);
    View.Mapping().SetExport(1.0 / b, QPointF(minX, maxY));
    const int w = PixelSide(maxX - minX, b), h = PixelSide(maxY - minY, b);
    QImage picture(w, h, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) return false;
    picture.fill(Qt::white);
    {
        TExportConversion conversion(View, *project);
        TCanvas canvas(&picture);
        const std::vector<QImage>& bullets = View.Bullets();
        project->Draw(&canvas, View.Layer(plMap), View.Layer(plContours), View.Layer(plBHEs), View.Layer(plGrid),
                      static_cast<std::uint8_t>(RoundEven(View.D2MapOpacity() * 255.0)), b,
                      TWorldRect{minX, minY, maxX, maxY}, TRect{0, 0, w - 1, h - 1},
                      bullets.empty() ? nullptr : &bullets);
    }
    Bitmap = std::move(picture);
    return true;
}

void SavePlanPNG(const QImage& Bitmap, const QString& FileName)
{
    QSaveFile file(FileName);
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    Bitmap.convertToFormat(QImage::Format_ARGB32).save(&file, "PNG") && file.commit();
    if (!ok) throw EKPError(QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.").arg(FileName));
}
