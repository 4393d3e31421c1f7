#pragma once
// Every key of the settings file, for every program: a new setting is one
// line here and its reader beside the one of its kind.
namespace lenscout {

// The user-interface language: 0 automatic, 1 English, 2 Simplified and
// 3 Traditional Chinese.
constexpr char kLanguageKey[] = "lang";

}  // namespace lenscout
