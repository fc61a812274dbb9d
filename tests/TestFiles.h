#pragma once

// Writing a fixture file from a test: the test fails where the file cannot be
// written.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

inline void WriteFile(const QString& Name, const QByteArray& Text, bool Executable = false)
{
    QFile f(Name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Text);
    f.close();
    if (Executable) f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}
