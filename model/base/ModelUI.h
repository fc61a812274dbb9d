#pragma once

#include <QString>

// The model never includes a widget. Where it needs the user (an edit dialog,
// a question, a run display) it calls an interface declared next to the model
// class that needs it; the user interface installs an implementation at
// start-up. Each interface's own default implementation is the headless one:
// dialogs answer "cancelled", displays show nothing. Tests install fakes.
template <typename I>
class TModelHooks {
public:
    static I& Get()
    {
        I* p = Slot();
        return p ? *p : Default();
    }
    // Not owned; pass nullptr to return to the headless default.
    static void Install(I* Impl) { Slot() = Impl; }
    static I* Installed() { return Slot(); }

private:
    static I*& Slot()
    {
        static I* p = nullptr;
        return p;
    }
    static I& Default()
    {
        static I d;
        return d;
    }
};

template <typename I>
I& ModelUI()
{
    return TModelHooks<I>::Get();
}

template <typename I>
void InstallModelUI(I* Impl)
{
    TModelHooks<I>::Install(Impl);
}

// Installs an implementation for a scope (tests) and restores the previous one.
template <typename I>
class TModelUIScope {
public:
    explicit TModelUIScope(I* Impl) : FOld(TModelHooks<I>::Installed()) { TModelHooks<I>::Install(Impl); }
    ~TModelUIScope() { TModelHooks<I>::Install(FOld); }
    TModelUIScope(const TModelUIScope&) = delete;
    TModelUIScope& operator=(const TModelUIScope&) = delete;

private:
    I* FOld;
};

// Answers of a question to the user.
enum class TPromptResult { Yes, No, Ok, Cancel };

// Messages and questions the model puts to the user. Headless: messages go
// nowhere and every question is cancelled.
class TPrompts {
public:
    virtual ~TPrompts() = default;
    virtual void ShowMessage(const QString& Text) { (void)Text; }
    virtual void ShowError(const QString& Text) { (void)Text; }
    virtual TPromptResult AskYesNo(const QString& Text) { (void)Text; return TPromptResult::Cancel; }
    virtual TPromptResult AskYesNoCancel(const QString& Text) { (void)Text; return TPromptResult::Cancel; }
};
