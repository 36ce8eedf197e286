#pragma once

#include "ScreenImage.h"

#include <string>

bool ReadPng(const std::string& path, ScreenImage& out);
bool WritePng(const std::string& path, const ScreenImage& image);
