#pragma once

// Bytes of a load profile whose month list holds a load profile, whose month
// list holds another, Depth levels deep: the stack-exhausting file that
// project and heat-pump list readers must refuse with a read error.

#include "model/base/Stream.h"
#include "model/base/StreamStrings.h"

#include <QByteArray>

// Writes one level per loop: the class name, then a version-2 profile record up
// to its month list, whose single item is the next level.
inline void WriteNestedLoadProfiles(TStream& S, int Depth)
{
    for (int i = 0; i < Depth; ++i) {
        WriteStringToStream(S, QStringLiteral("TLoadObj"));
        WriteStringToStream(S, QString());
        S.WriteBoolean(false);
        S.WriteBoolean(false);
        S.WriteDouble(0);
        S.WriteDouble(0);
        S.WriteByte(3);  // month profile
        for (int k = 0; k < 4; ++k) S.WriteDouble(0);
        S.WriteByte(1);
        S.WriteInt32(1);
    }
}

// An object list holding the nested profile.
inline QByteArray NestedLoadProfileList(int Depth)
{
    TMemoryStream s;
    s.WriteByte(1);
    s.WriteInt32(1);
    WriteNestedLoadProfiles(s, Depth);
    return s.Data();
}
