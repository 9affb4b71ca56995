#include "shell/settings.h"

namespace plotmate {

namespace {

using S = Settings;

constexpr SettingsEntry kGeneral[] = {{"YOX", &S::YOX}, {"PREC", &S::PREC}, {"Tabs", &S::Tabs}};
constexpr SettingsEntry kDist[] = {{"DX", &S::DX}, {"DY", &S::DY}, {"DI", &S::DI}};
constexpr SettingsEntry kId[] = {{"X", &S::X}, {"Y", &S::Y}, {"Z", &S::Z}, {"T", &S::T}};
constexpr SettingsEntry kPline[] = {{"InterCoord", &S::InterCoord}};
constexpr SettingsEntry kScr[] = {
    {"command", &S::command}, {"EnterMark", &S::EnterMark}, {"AutoNext", &S::AutoNext}};
constexpr SettingsEntry kExcel[] = {{"ReadDirec", &S::ReadDirec}};
constexpr SettingsEntry kArea[] = {{"WriteToExcel", &S::WriteToExcel}};
constexpr SettingsEntry kPosition[] = {{"TOP", &S::TOP}, {"LEFT", &S::LEFT}};

constexpr SettingsSection kLayout[] = {
    {"[General]", kGeneral}, {"[Dist]", kDist},   {"[ID]", kId},     {"[Pline]", kPline},
    {"[SCR]", kScr},         {"[EXCEL]", kExcel}, {"[Area]", kArea}, {"[Position]", kPosition},
};

}  // namespace

std::span<const SettingsSection> settingsLayout() { return kLayout; }

}  // namespace plotmate
