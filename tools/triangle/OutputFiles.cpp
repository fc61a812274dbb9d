#include "OutputFiles.h"

#include "Errors.h"
#include "NumberText.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <fcntl.h>
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

  void write(const char* data, std::size_t size)
  {
    if (size > 0 && std::fwrite(data, 1, size, file_) != size)
      throw Error("cannot write \"" + target_ + "\": " + std::strerror(errno));
  }

  // Starts the disk write of what is written so far, without waiting: it then runs
  // while the next file is formatted, and close() has less left to wait for.
  void startWriteBack()
  {
    if (std::fflush(file_) == 0)
      ::sync_file_range(::fileno(file_), 0, 0, SYNC_FILE_RANGE_WRITE);
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

// Lines are formatted into one reused block (locale-free, no text object per
// number) that goes to the file whenever it fills: a block the size of the whole
// file would cost a fresh page of memory every few lines.
class LineWriter {
public:
  LineWriter(TempFile& file, std::vector<char>& block) : file_(file), block_(block)
  {
    block_.resize(kBlock);
    p_ = block_.data();
  }
  void field(long long v)
  {
    separate();
    p_ = std::to_chars(p_, p_ + kMaxField, v).ptr;
  }
  void field(double v)
  {
    separate();
    p_ = writeDouble(p_, v);
  }
  void endLine()
  {
    *p_++ = '\n';
    lineStart_ = true;
  }
  void flush()
  {
    file_.write(block_.data(), static_cast<std::size_t>(p_ - block_.data()));
    p_ = block_.data();
  }

private:
  // Shortest round-trip text of a double is at most 24 characters, of a long long 20.
  static constexpr std::size_t kMaxField = kMaxDoubleChars;
  static constexpr std::size_t kBlock = std::size_t{1} << 18;

  // Two blanks before every field but the first of a line; room for the field and
  // a line end.
  void separate()
  {
    if (static_cast<std::size_t>(block_.data() + block_.size() - p_) < kMaxField + 3)
      flush();
    if (!lineStart_) {
      *p_++ = ' ';
      *p_++ = ' ';
    }
    lineStart_ = false;
  }

  TempFile& file_;
  std::vector<char>& block_;
  char* p_ = nullptr;
  bool lineStart_ = true;
};

void writeNodes(const MeshOutput& m, TempFile& file, std::vector<char>& block)
{
  const std::size_t na = static_cast<std::size_t>(m.numAttributes);
  LineWriter w(file, block);
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

void writeElements(const MeshOutput& m, TempFile& file, std::vector<char>& block)
{
  LineWriter w(file, block);
  w.field(static_cast<long long>(m.triangles.size()));
  w.field(3LL);
  w.field(m.triangleAttributes ? 1LL : 0LL);
  w.endLine();
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    w.field(static_cast<long long>(t) + m.firstIndex);
    for (const int v : m.triangles[t].v)
      w.field(static_cast<long long>(v) + m.firstIndex);
    if (m.triangleAttributes)
      w.field(m.regionAttribute(m.triangles[t]));
    w.endLine();
  }
  w.flush();
}

}  // namespace

void writeMesh(const MeshOutput& mesh, const std::string& nodeFile, const std::string& eleFile)
{
  TempFile node(nodeFile);
  TempFile ele(eleFile);
  std::vector<char> block;
  writeNodes(mesh, node, block);
  node.startWriteBack();
  writeElements(mesh, ele, block);
  ele.startWriteBack();
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
