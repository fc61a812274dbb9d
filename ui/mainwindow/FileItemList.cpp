#include "ui/mainwindow/FileItemList.h"

#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QStyledItemDelegate>

#include "model/base/DateTime.h"
#include "model/settings/MRUList.h"

#include <algorithm>

namespace {

// Caption above, the shortened file name below in a smaller grey line.
class TFileItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* P, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override
    {
        QStyleOptionViewItem opt = Option;
        initStyleOption(&opt, Index);
        const QString caption = opt.text;
        opt.text.clear();
        opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, P, opt.widget);
        const bool header = Index.data(TFileItemList::HeaderRole).toBool();
        const QRect r = Option.rect.adjusted(8, 3, -8, -3);
        P->save();
        QFont f = Option.font;
        f.setBold(true);
        if (header) f.setPointSizeF(f.pointSizeF() * 1.15);
        P->setFont(f);
        P->setPen(Option.palette.color(QPalette::Text));
        P->drawText(r, Qt::AlignLeft | Qt::AlignTop, caption);
        QFont small = Option.font;
        small.setPointSizeF(std::max(small.pointSizeF() * 0.9, 7.0));
        P->setFont(small);
        // $004F4F2F, the header items' description colour.
        P->setPen(header ? QColor(0x2F, 0x4F, 0x4F) : Option.palette.color(QPalette::PlaceholderText));
        P->drawText(r, Qt::AlignLeft | Qt::AlignBottom, Index.data(TFileItemList::DescriptionRole).toString());
        P->restore();
    }
};

QString DateText(double DateModified)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(DateModified, y, m, d);
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return QLocale().toString(QDate(y, m, d), format);
}

} // namespace

QString FileItemCaption(const QString& ProjectName, double DateModified, bool WithDate)
{
    QString caption = ProjectName.isEmpty() ? SNoProjectName : ProjectName;
    if (WithDate)
        caption += QStringLiteral(" (%1 %2)").arg(QStringLiteral("bearbeitet"), DateText(DateModified));
    return caption;
}

TFileItemList::TFileItemList(const QString& Header, QWidget* Parent) : QListWidget(Parent)
{
    setItemDelegate(new TFileItemDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* head = new QListWidgetItem(Header, this);
    head->setData(DescriptionRole, QStringLiteral("Öffnen mit Doppelklick"));
    head->setData(HeaderRole, true);
    head->setFlags(Qt::ItemIsEnabled);
    head->setSizeHint(QSize(0, 44));
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* Item) {
        const QString name = Item ? Item->data(FileNameRole).toString() : QString();
        if (!name.isEmpty() && OnFileDblClick) OnFileDblClick(name);
    });
}

void TFileItemList::Fill(const TFileInfolist& List, bool NewestFirst, bool WithDate, int Height)
{
    while (count() > 1) delete takeItem(count() - 1);
    const int n = List.Count();
    for (int k = 0; k < n; ++k) {
        const TFileListInfo* info = List.Items(NewestFirst ? n - 1 - k : k);
        auto* item = new QListWidgetItem(FileItemCaption(info->ProjectName(), info->DateModified(), WithDate), this);
        item->setData(FileNameRole, info->Filename());
        item->setToolTip(info->Filename());
        item->setSizeHint(QSize(0, Height));
    }
    ElideDescriptions();
}

void TFileItemList::resizeEvent(QResizeEvent* Event)
{
    QListWidget::resizeEvent(Event);
    ElideDescriptions();
}

void TFileItemList::ElideDescriptions()
{
    const QFontMetrics fm(font());
    const int width = std::max(viewport()->width() - 30, 40);
    for (int i = 1; i < count(); ++i) {
        QListWidgetItem* it = item(i);
        it->setData(DescriptionRole, fm.elidedText(it->data(FileNameRole).toString(), Qt::ElideMiddle, width));
    }
}
