// The process's current folder changed for one scope, and put back after it.
#pragma once

#include <filesystem>
#include <string>

class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& utf8Path) : m_old(std::filesystem::current_path()) {
        std::filesystem::current_path(std::filesystem::u8path(utf8Path));
    }
    ~CurrentFolder() { std::filesystem::current_path(m_old); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::filesystem::path m_old;
};
