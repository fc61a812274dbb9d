#pragma once

#include <QObject>

#include <memory>

class TVersionInfo;

// Keeps one TVersionInfo of the running program as a child of the
// application object, so the resource is read once per process.
class TApplicationVersionContainer : public QObject {
    Q_OBJECT

public:
    explicit TApplicationVersionContainer(QObject* AOwner);
    ~TApplicationVersionContainer() override;

    TVersionInfo& Version() { return *FVersion; }

private:
    std::unique_ptr<TVersionInfo> FVersion;
};

// The version information of the running program: the same object on every
// call. Needs the application object.
TVersionInfo& GetApplicationVersionInfo();
