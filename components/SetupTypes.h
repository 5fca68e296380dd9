#pragma once

#include <QObject>

#include <cstdint>

// The enumerations the components of the settings program share. They live in one namespace so that the
// form reader knows their value names (otRight, jsLeft, htSettings); the names are brought into the
// global scope below, as the components use them unqualified.
namespace SetupCtrls {
Q_NAMESPACE

// The direction in which a setting widget shows its upright picture.
enum TOrientationType : uint8_t { otUp, otDown, otLeft, otRight };
Q_ENUM_NS(TOrientationType)

// The cap position of a three-pin jumper.
enum TJumperState : uint8_t { jsOpen, jsLeft, jsRight };
Q_ENUM_NS(TJumperState)

// The kind of a highlight circle: information (blue), a setting (yellow) or calibration (red).
enum THighlightType : uint8_t { htOptions, htSettings, htCalibration };
Q_ENUM_NS(THighlightType)

} // namespace SetupCtrls

using SetupCtrls::TOrientationType;
using SetupCtrls::TJumperState;
using SetupCtrls::THighlightType;
using enum SetupCtrls::TOrientationType;
using enum SetupCtrls::TJumperState;
using enum SetupCtrls::THighlightType;
