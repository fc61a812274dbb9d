#include "ui/loads/XlsImport.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTime>

#include <freexl.h>

#include "model/base/KPError.h"

namespace {

// Closes the workbook on every way out.
class TXlsHandle {
public:
    explicit TXlsHandle(const QString& FileName)
    {
        const QByteArray path = QFile::encodeName(FileName);
        if (freexl_open(path.constData(), &FHandle) != FREEXL_OK) {
            if (FHandle) freexl_close(FHandle);
            FHandle = nullptr;
        }
    }
    ~TXlsHandle()
    {
        if (FHandle) freexl_close(FHandle);
    }
    TXlsHandle(const TXlsHandle&) = delete;
    TXlsHandle& operator=(const TXlsHandle&) = delete;
    const void* Get() const { return FHandle; }

private:
    const void* FHandle = nullptr;
};

QVariant CellValue(const FreeXL_CellValue& C)
{
    switch (C.type) {
    case FREEXL_CELL_INT: return static_cast<double>(C.value.int_value);
    case FREEXL_CELL_DOUBLE: return C.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return QString::fromUtf8(C.value.text_value);
    case FREEXL_CELL_DATE:
        return QDate::fromString(QString::fromLatin1(C.value.text_value), QStringLiteral("yyyy-MM-dd"));
    case FREEXL_CELL_DATETIME:
        return QDateTime::fromString(QString::fromLatin1(C.value.text_value), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case FREEXL_CELL_TIME:
        return QTime::fromString(QString::fromLatin1(C.value.text_value), QStringLiteral("HH:mm:ss"));
    default: return {};
    }
}

[[noreturn]] void Fail(const QString& FileName)
{
    throw EKPError(QStringLiteral("Die Datei \"%1\" kann nicht als Excel-Arbeitsmappe (*.xls) gelesen werden.")
                       .arg(FileName));
}

} // namespace

QList<TXlsRow> ReadXlsFirstSheet(const QString& FileName)
{
    TXlsHandle xls(FileName);
    if (!xls.Get() || freexl_select_active_worksheet(xls.Get(), 0) != FREEXL_OK) Fail(FileName);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.Get(), &rows, &columns) != FREEXL_OK) Fail(FileName);
    QList<TXlsRow> result;
    result.reserve(static_cast<qsizetype>(rows));
    for (unsigned int r = 0; r < rows; ++r) {
        TXlsRow row;
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(xls.Get(), r, c, &cell) != FREEXL_OK) Fail(FileName);
            row << CellValue(cell);
        }
        result << row;
    }
    return result;
}

bool XlsRowEmpty(const TXlsRow& Row)
{
    for (const QVariant& v : Row)
        if (v.isValid() && !(v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())) return false;
    return true;
}
