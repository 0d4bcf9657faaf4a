#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace korvanta::test {

// A fresh, empty folder of its own, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("korvanta-test-" + std::to_string(random()) + std::to_string(random()));
            if (std::filesystem::create_directory(path_)) {
                break;
            }
        }
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Copies of the default data files the program finds beside itself.
    void AddDefaultDataFiles() const
    {
        for (const char* name : {"mlist.fd", "filters.fd", "PresetFilters.fd"}) {
            std::filesystem::copy_file(std::filesystem::path(KORVANTA_DATA_DIR) / name, path_ / name);
        }
    }

private:
    std::filesystem::path path_;
};

}  // namespace korvanta::test
