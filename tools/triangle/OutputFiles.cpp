#include "OutputFiles.h"

#include "Errors.h"
#include "NumberText.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tri {

namespace {

// A temporary file next to its target, removed unless committed.
class TempFile {
public:
  explicit TempFile(const std::string& target) : target_(target), path_(target + ".XXXXXX")
  {
    const int fd = ::mkstemp(path_.data());
    if (fd < 0)
      throw Error("cannot create a file next to \"" + target_ + "\": " + std::strerror(errno));
    // mkstemp makes the file private; give it the permissions of a normally created file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    file_ = ::fdopen(fd, "w");
    if (file_ == nullptr) {
      ::close(fd);
      std::remove(path_.c_str());
      throw Error("cannot write \"" + path_ + "\": " + std::strerror(errno));
    }
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile()
  {
    if (file_ != nullptr)
      std::fclose(file_);
    if (!committed_)
      std::remove(path_.c_str());
  }

  void write(const std::string& text)
  {
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
      throw Error("cannot write \"" + target_ + "\": " + std::strerror(errno));
  }

  // Flushes and closes; the file stays under its temporary name.
  void close()
  {
    FILE* f = file_;
    file_ = nullptr;
    if (std::fflush(f) != 0 || ::fsync(::fileno(f)) != 0) {
      const int err = errno;
      std::fclose(f);
      throw Error("cannot write \"" + target_ + "\": " + std::strerror(err));
    }
    if (std::fclose(f) != 0)
      throw Error("cannot write \"" + target_ + "\": " + std::strerror(errno));
  }

  void commit()
  {
    if (std::rename(path_.c_str(), target_.c_str()) != 0)
      throw Error("cannot rename \"" + path_ + "\" to \"" + target_ + "\": " + std::strerror(errno));
    committed_ = true;
  }

private:
  std::string target_;
  std::string path_;
  FILE* file_ = nullptr;
  bool committed_ = false;
};

// The whole file is formatted into one buffer (locale-free, no text object per
// number) and handed to the file in a single write.
class LineWriter {
public:
  explicit LineWriter(TempFile& file, std::size_t expectedBytes) : file_(file) { buffer_.reserve(expectedBytes); }
  void field(long long v)
  {
    char* p = room();
    p = std::to_chars(p, p + kMaxField, v).ptr;
    used(p);
  }
  void field(double v)
  {
    char* p = room();
    const auto [end, ec] = std::to_chars(p, p + kMaxField, v);
    if (ec != std::errc())  // cannot happen with a field of this size
      throw Error("internal error: a number cannot be formatted");
    used(end);
  }
  void endLine()
  {
    buffer_.push_back('\n');
    lineStart_ = true;
  }
  void flush()
  {
    file_.write(buffer_);
    buffer_.clear();
  }

private:
  // Shortest round-trip text of a double is at most 24 characters, of a long long 20.
  static constexpr std::size_t kMaxField = 32;

  char* room()
  {
    at_ = buffer_.size();
    buffer_.resize(at_ + kMaxField + 2);
    char* p = buffer_.data() + at_;
    if (!lineStart_) {
      *p++ = ' ';
      *p++ = ' ';
    }
    lineStart_ = false;
    return p;
  }
  void used(const char* end) { buffer_.resize(static_cast<std::size_t>(end - buffer_.data())); }

  TempFile& file_;
  std::string buffer_;
  std::size_t at_ = 0;
  bool lineStart_ = true;
};

void writeNodes(const MeshOutput& m, TempFile& file)
{
  const std::size_t na = static_cast<std::size_t>(m.numAttributes);
  LineWriter w(file, 64 + m.vertexCount() * (48 + 26 * na));
  w.field(static_cast<long long>(m.vertexCount()));
  w.field(2LL);
  w.field(static_cast<long long>(na));
  w.field(1LL);
  w.endLine();
  for (std::size_t i = 0; i < m.vertexCount(); ++i) {
    w.field(static_cast<long long>(i) + m.firstIndex);
    w.field(m.x[i]);
    w.field(m.y[i]);
    for (std::size_t j = 0; j < na; ++j)
      w.field(m.attributes[i * na + j]);
    w.field(static_cast<long long>(m.markers[i]));
    w.endLine();
  }
  w.flush();
}

void writeElements(const MeshOutput& m, TempFile& file)
{
  LineWriter w(file, 64 + m.triangles.size() * (m.triangleAttributes ? 64 : 40));
  w.field(static_cast<long long>(m.triangles.size()));
  w.field(3LL);
  w.field(m.triangleAttributes ? 1LL : 0LL);
  w.endLine();
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    w.field(static_cast<long long>(t) + m.firstIndex);
    for (const int v : m.triangles[t])
      w.field(static_cast<long long>(v) + m.firstIndex);
    if (m.triangleAttributes)
      w.field(m.regionAttribute[t]);
    w.endLine();
  }
  w.flush();
}

}  // namespace

void writeMesh(const MeshOutput& mesh, const std::string& nodeFile, const std::string& eleFile)
{
  TempFile node(nodeFile);
  TempFile ele(eleFile);
  writeNodes(mesh, node);
  writeElements(mesh, ele);
  node.close();
  ele.close();
  std::remove(eleFile.c_str());  // never a new .node beside an old .ele
  node.commit();
  try {
    ele.commit();
  } catch (...) {
    std::remove(nodeFile.c_str());
    throw;
  }
}

void removeOutputs(const std::string& nodeFile, const std::string& eleFile)
{
  std::remove(nodeFile.c_str());
  std::remove(eleFile.c_str());
}

}  // namespace tri
