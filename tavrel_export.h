/// \file
/// How the runtime's public data is declared: a program built against the
/// Windows DLL (the package defines TAVREL_DLL for it) imports the data it
/// reads; everywhere else the declarations are plain.
#pragma once

#if defined(_WIN32) && defined(TAVREL_DLL) && !defined(TAVREL_BUILDING_DLL)
/// Marks a public variable of the runtime: imported from the DLL where the
/// program uses one, nothing otherwise.
#define TAVREL_DATA __declspec(dllimport)
#else
/// Marks a public variable of the runtime (nothing to import here).
#define TAVREL_DATA
#endif
