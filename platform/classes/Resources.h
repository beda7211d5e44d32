#pragma once
// The program's resources: named blocks of bytes built into the executable.
//
// The build embeds them (cmake/Resources.cmake, rupinako_embed_resources):
// a generated source calls RegisterResource at static initialisation, so a
// resource is there before main runs. Types are the usual names ("RCDATA",
// "ICON"); names compare case-insensitively for ASCII letters, as resource
// names do ("TMAINFORM1").
//
// The bytes are not copied: RegisterResource keeps the view, whose storage
// must live as long as the program (the embedded arrays do).
//
// Failure: FindResource raises EResNotFound naming the resource when absent.

#include <string>
#include <string_view>

inline constexpr const char* RT_RCDATA = "RCDATA";
inline constexpr const char* RT_ICON = "ICON";

void RegisterResource(const std::string& type, const std::string& name, std::string_view bytes);
std::string_view FindResource(const std::string& type, const std::string& name);
bool HasResource(const std::string& type, const std::string& name);
