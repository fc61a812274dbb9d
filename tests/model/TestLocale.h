#pragma once

#include <QLocale>

// The default locale for one scope: numbers shown to the user follow it.
class TLocaleScope {
public:
    explicit TLocaleScope(const QLocale& L) : FOld(QLocale()) { QLocale::setDefault(L); }
    explicit TLocaleScope(QLocale::Language L) : TLocaleScope(QLocale(L)) {}
    ~TLocaleScope() { QLocale::setDefault(FOld); }
    TLocaleScope(const TLocaleScope&) = delete;
    TLocaleScope& operator=(const TLocaleScope&) = delete;

private:
    QLocale FOld;
};
