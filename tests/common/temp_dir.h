// A fresh, empty folder for one test, removed with everything in it afterwards.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

class TempDir {
  public:
    TempDir() {
        static std::atomic<unsigned> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; attempt < 100; ++attempt) {
            auto candidate =
                base / ("quillet-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
            if (std::filesystem::create_directory(candidate)) {
                m_root = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder in " + base.string());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // UTF-8, as the program keeps every path.
    std::string path() const { return m_root.u8string(); }

    // Names are joined as bytes, so UTF-8 names stay intact.
    std::string Join(const std::string& name) const {
        return path() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
    }

    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream out(std::filesystem::u8path(Join(name)), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + Join(name));
    }

    std::string ReadFile(const std::string& name) const {
        std::ifstream in(std::filesystem::u8path(Join(name)), std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + Join(name));
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path m_root;
};
