#pragma once

#include "gfx/CustomCanvas.h"
#include "model/settings/IniFiles.h"

#include <QMap>
#include <QSettings>
#include <QStringList>
#include <vector>

// An in-memory store that remembers the order of the writes.
class TMemIniFile : public TCustomIniFile {
public:
    QMap<QString, QVariant> Values;   // "Section\Ident" (Section may be empty)
    QStringList Log;                  // "W Section\Ident" and "E Section", in order

    static QString Path(const QString& Section, const QString& Ident)
    {
        return Section.isEmpty() ? Ident : Section + "\\" + Ident;
    }
    QVariant ReadValue(const QString& Section, const QString& Ident) const override
    {
        return Values.value(Path(Section, Ident));
    }
    void WriteValue(const QString& Section, const QString& Ident, const QVariant& Value) override
    {
        Values[Path(Section, Ident)] = Value;
        Log << "W " + Path(Section, Ident);
    }
    QStringList ReadSection(const QString& Section) const override
    {
        QStringList r;
        const QString prefix = Section.isEmpty() ? QString() : Section + "\\";
        for (auto it = Values.begin(); it != Values.end(); ++it) {
            if (!it.key().startsWith(prefix)) continue;
            const QString rest = it.key().mid(prefix.size());
            if (!rest.contains('\\')) r << rest;
        }
        return r;
    }
    QStringList ReadSubSections(const QString& Section) const override
    {
        QStringList r;
        const QString prefix = Section.isEmpty() ? QString() : Section + "\\";
        for (auto it = Values.begin(); it != Values.end(); ++it) {
            if (!it.key().startsWith(prefix)) continue;
            const QString rest = it.key().mid(prefix.size());
            const int p = rest.indexOf('\\');
            if (p > 0 && !r.contains(rest.left(p))) r << rest.left(p);
        }
        return r;
    }
    void EraseSection(const QString& Section) override
    {
        const QString prefix = Section + "\\";
        for (auto it = Values.begin(); it != Values.end();)
            it = it.key().startsWith(prefix) ? Values.erase(it) : std::next(it);
        Log << "E " + Section;
    }
    // The written idents of one section, in write order.
    QStringList Written(const QString& Section) const
    {
        QStringList r;
        for (const QString& l : Log)
            if (l.startsWith("W " + Section + "\\") && !l.mid(Section.size() + 3).contains('\\'))
                r << l.mid(Section.size() + 3);
        return r;
    }
};

// A canvas that records what is drawn; text is 6 units wide per character
// and as high as the font's height.
class TRecordingCanvas : public TCustomCanvas {
public:
    struct TText {
        int X, Y;
        QString Text;
        TFont Font;
    };
    struct TRectCall {
        TRect R;
        TPen Pen;
    };
    std::vector<TText> Texts;
    std::vector<TRectCall> Rects;
    std::vector<TFont> MeasuredWith;

    void LineTo(int, int) override {}
    void Polyline(std::span<const TPoint>) override {}
    void Polygon(std::span<const TPoint>) override {}
    void Rectangle(int x1, int y1, int x2, int y2) override { Rects.push_back({TRect{x1, y1, x2, y2}, Pen()}); }
    using TCustomCanvas::Rectangle;
    void FillRect(const TRect&) override {}
    void Ellipse(int, int, int, int) override {}
    void TextOut(int x, int y, const QString& text) override { Texts.push_back({x, y, text, Font()}); }
    TSize TextExtent(const QString& text) override
    {
        MeasuredWith.push_back(Font());
        return TSize{6 * static_cast<int>(text.size()), Font().Height() < 0 ? -Font().Height() : Font().Height()};
    }
    void StretchDraw(const TRect&, const QImage&) override {}
};

// The program's own settings store (user and machine scope), emptied.
inline void ClearSettingsStores()
{
    for (auto scope : {QSettings::UserScope, QSettings::SystemScope}) {
        for (const QString& app : {QStringLiteral("KP"), QString()}) {
            QSettings s(QSettings::NativeFormat, scope, "Mirvatek", app);
            s.clear();
            s.sync();
        }
    }
}

inline QVariant StoredValue(const QString& Key, QSettings::Scope Scope = QSettings::UserScope)
{
    QSettings s(QSettings::NativeFormat, Scope, "Mirvatek", "KP");
    return s.value(Key);
}

inline void StoreValue(const QString& Key, const QVariant& Value, QSettings::Scope Scope = QSettings::UserScope)
{
    QSettings s(QSettings::NativeFormat, Scope, "Mirvatek", "KP");
    s.setValue(Key, Value);
    s.sync();
}
