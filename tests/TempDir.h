// A fresh folder per test, removed afterwards (write protection undone).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Process.h"
#include "store/TextFile.h"

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("mvul-" + std::to_string(mv::CurrentProcessId()) + "-" +
                                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  std::string Read(const std::filesystem::path& p) { return mv::ReadWholeFile(p).value_or("<missing>"); }

  std::filesystem::path dir_;
};
