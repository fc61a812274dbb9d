#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A temporary folder for one test, removed afterwards, in which the generator runs.
class Workspace {
public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  std::string path(const std::string& name) const;
  void write(const std::string& name, const std::string& text) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Names of the files in the folder, sorted (the captured program output excluded).
  std::vector<std::string> files() const;

  struct Result {
    int exitCode = -1;
    std::string out, err;
  };
  // Runs the generator with the switches and the base name (a file name in this
  // folder, passed as an absolute path); env is prepended as "NAME=value".
  Result run(const std::string& switches, const std::string& base, const std::string& env = {}) const;
  Result runArgs(const std::vector<std::string>& args, const std::string& env = {}) const;

private:
  std::filesystem::path dir_;
};
