#include "Workspace.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace {

const char* const kOut = "__stdout.txt";
const char* const kErr = "__stderr.txt";

std::string quote(const std::string& s)
{
  std::string q = "'";
  for (const char c : s) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

}  // namespace

Workspace::Workspace()
{
  std::string templ = (std::filesystem::temp_directory_path() / "triangle_test_XXXXXX").string();
  if (::mkdtemp(templ.data()) == nullptr)
    throw std::runtime_error("cannot create a temporary folder");
  dir_ = templ;
}

Workspace::~Workspace()
{
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::string Workspace::path(const std::string& name) const { return (dir_ / name).string(); }

void Workspace::write(const std::string& name, const std::string& text) const
{
  std::ofstream f(path(name), std::ios::binary);
  f << text;
  if (!f)
    throw std::runtime_error("cannot write " + name);
}

std::string Workspace::read(const std::string& name) const
{
  std::ifstream f(path(name), std::ios::binary);
  if (!f)
    throw std::runtime_error("cannot read " + name);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Workspace::exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

std::vector<std::string> Workspace::files() const
{
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir_)) {
    const std::string n = e.path().filename().string();
    if (n != kOut && n != kErr)
      names.push_back(n);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Workspace::Result Workspace::run(const std::string& switches, const std::string& base, const std::string& env) const
{
  std::vector<std::string> args;
  if (!switches.empty())
    args.push_back(switches);
  args.push_back(path(base));
  return runArgs(args, env);
}

Workspace::Result Workspace::runArgs(const std::vector<std::string>& args, const std::string& env) const
{
  std::string cmd;
  if (!env.empty())
    cmd += "env " + quote(env) + " ";
  cmd += quote(TRIANGLE_EXE);
  for (const std::string& a : args)
    cmd += " " + quote(a);
  cmd += " >" + quote(path(kOut)) + " 2>" + quote(path(kErr)) + " </dev/null";
  const int status = std::system(cmd.c_str());
  Result r;
  r.exitCode = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  r.out = read(kOut);
  r.err = read(kErr);
  return r;
}
