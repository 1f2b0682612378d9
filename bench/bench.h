// Benchmarks: each registers a function that prints its figures as lines
// "name: value"; quorvel_bench runs them all (or those named on its
// command line).
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

typedef void (*BenchFn)();

struct BenchRegistrar {
    BenchRegistrar(const char* name, BenchFn fn);
};

#define QUORVEL_BENCH(name)                                   \
    static void Bench_##name();                               \
    static BenchRegistrar s_benchReg_##name(#name, Bench_##name); \
    static void Bench_##name()

// Seconds on a monotonic high-resolution clock.
double BenchNow();
// Prints one figure as "name: value".
void BenchPrint(const char* name, double value, const char* unit = "");
// A fresh, empty throwaway folder under the current folder; ends with "\".
std::wstring BenchTempFolder(const wchar_t* tag);
// Removes a folder and everything in it.
void BenchRemoveTree(const std::wstring& folder);

// What any reader of the files must do at least: open each and read its
// first 4 KB. Returns the seconds it took; *pnFull, when given, counts the
// files that gave all 4 KB.
double BenchBareReads(const std::vector<std::wstring>& paths, int* pnFull = nullptr);

// The name editor's text for MAX_NAMES names of 40 characters each (Korean
// and Latin letters), each followed by "\r\n".
class CString;
CString BenchNamesText();
