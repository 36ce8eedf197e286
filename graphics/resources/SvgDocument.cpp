#include "SvgDocument.h"

#include "RsvgLibrary.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kDefaultDpi = 72.0;

// Pixels per unit at the given resolution; pixels themselves for an unknown unit.
double PixelsPerUnit(const char* units, double dpi) {
  if (!units) return 1.0;
  if (std::strcmp(units, "pt") == 0) return dpi / 72.0;
  if (std::strcmp(units, "pc") == 0) return dpi / 6.0;
  if (std::strcmp(units, "mm") == 0) return dpi / 25.4;
  if (std::strcmp(units, "cm") == 0) return dpi / 2.54;
  if (std::strcmp(units, "in") == 0) return dpi;
  return 1.0;
}

float ToUnits(double pixels, const char* units, double dpi) {
  const double value = pixels / PixelsPerUnit(units, dpi);
  return std::isfinite(value) && value > 0.0 ? static_cast<float>(value) : 0.f;
}

// A document without width and height (only a viewBox) is as large as its viewBox.
void IntrinsicPixels(const RsvgLibrary& rsvg, RsvgHandle* handle, double& width, double& height) {
  if (rsvg.intrinsicSizeInPixels(handle, &width, &height)) return;
  gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
  RsvgLength w{}, h{};
  RsvgRectangle viewBox{};
  rsvg.intrinsicDimensions(handle, &hasWidth, &w, &hasHeight, &h, &hasViewBox, &viewBox);
  width = hasViewBox ? viewBox.width : 0.0;
  height = hasViewBox ? viewBox.height : 0.0;
}

} // namespace

std::unique_ptr<SvgDocument> SvgDocument::Parse(const std::vector<uint8_t>& bytes,
                                                const char* units, float dpi) {
  if (bytes.empty()) return nullptr;
  const RsvgLibrary* rsvg = RsvgLibrary::Get();
  if (!rsvg) return nullptr;

  GError* error = nullptr;
  RsvgHandle* handle = rsvg->newFromData(bytes.data(), bytes.size(), &error);
  if (error) rsvg->errorFree(error);
  if (!handle) return nullptr;

  const double resolution = std::isfinite(dpi) && dpi > 0.f ? dpi : kDefaultDpi;
  rsvg->setDpi(handle, resolution);
  double width = 0.0, height = 0.0;
  IntrinsicPixels(*rsvg, handle, width, height);
  return std::unique_ptr<SvgDocument>(new SvgDocument(handle, ToUnits(width, units, resolution),
                                                      ToUnits(height, units, resolution)));
}

SvgDocument::~SvgDocument() {
  // A document exists only when the library was opened.
  RsvgLibrary::Get()->objectUnref(mHandle);
}
