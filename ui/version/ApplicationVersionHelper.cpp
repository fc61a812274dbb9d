#include "ui/version/ApplicationVersionHelper.h"

#include <QCoreApplication>

#include "model/base/KPError.h"
#include "ui/version/VersionInfo.h"

TApplicationVersionContainer::TApplicationVersionContainer(QObject* AOwner)
    : QObject(AOwner), FVersion(std::make_unique<TVersionInfo>(QCoreApplication::applicationFilePath()))
{
}

TApplicationVersionContainer::~TApplicationVersionContainer() = default;

TVersionInfo& GetApplicationVersionInfo()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) throw EKPError(QStringLiteral("Die Versionsinformation braucht das Anwendungsobjekt."));
    auto* c = app->findChild<TApplicationVersionContainer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!c) c = new TApplicationVersionContainer(app);
    return c->Version();
}
