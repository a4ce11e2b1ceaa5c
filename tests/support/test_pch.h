#pragma once
// The system and Qt headers the tests use, compiled once for all of them
// (every test is built with this header included first).
#include <QtTest>
#include <QtWidgets>
#include <QWebEngineNavigationRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
