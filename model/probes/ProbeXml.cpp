#include "model/probes/ProbeXml.h"

#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"
#include "model/base/NumberText.h"

#include <QDir>
#include <cmath>
#include <limits>
#include <sstream>

namespace {

QString TextOf(pugi::xml_node Child) { return QString::fromUtf8(Child.text().get()); }

}  // namespace

void WriteXmlFloat(pugi::xml_node Node, const char* Name, double Value)
{
    Node.append_child(Name).text().set(FloatToStrC(Value).toUtf8().constData());
}

void WriteXmlInt(pugi::xml_node Node, const char* Name, int Value)
{
    Node.append_child(Name).text().set(QByteArray::number(Value).constData());
}

void WriteXmlString(pugi::xml_node Node, const char* Name, const QString& Value)
{
    Node.append_child(Name).text().set(Value.toUtf8().constData());
}

double ReadXmlFloat(pugi::xml_node Node, const char* Name, double Default)
{
    const pugi::xml_node child = Node.child(Name);
    if (!child) return Default;
    double v;
    if (!TryStrToFloatC(TextOf(child), v)) return std::numeric_limits<double>::quiet_NaN();
    return v;
}

int ReadXmlInt(pugi::xml_node Node, const char* Name, int Default)
{
    const pugi::xml_node child = Node.child(Name);
    if (!child) return Default;
    bool ok = false;
    const int v = TextOf(child).trimmed().toInt(&ok);
    return ok ? v : Default;
}

QString ReadXmlString(pugi::xml_node Node, const char* Name, const QString& Default)
{
    const pugi::xml_node child = Node.child(Name);
    return child ? TextOf(child) : Default;
}

QString XmlAttributeText(pugi::xml_node Node, const char* Name)
{
    return QString::fromUtf8(Node.attribute(Name).value());
}

pugi::xml_node NewXmlDocument(pugi::xml_document& Doc, const char* RootName)
{
    Doc.reset();
    pugi::xml_node decl = Doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    return Doc.append_child(RootName);
}

void SaveXmlDocument(const pugi::xml_document& Doc, const QString& FileName)
{
    std::ostringstream out;
    Doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    const std::string bytes = out.str();
    WriteFileStream(FileName, [&](TStream& S) { S.WriteBuffer(bytes.data(), static_cast<qint64>(bytes.size())); });
}

void LoadXmlDocument(pugi::xml_document& Doc, const QString& FileName)
{
    QByteArray bytes;
    ReadFileStream(FileName, [&](TStream& S) { bytes = S.ReadBytes(S.Remaining(), "XML-Datei"); });
    const pugi::xml_parse_result res = Doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (!res)
        throw EReadError(QStringLiteral("Die XML-Datei \"%1\" ist fehlerhaft: %2 (Position %3).")
                             .arg(QDir::toNativeSeparators(FileName), QString::fromUtf8(res.description()))
                             .arg(res.offset));
}
