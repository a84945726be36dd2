# SQLite 3, libmdb (mdbtools) and GoogleTest: the installed packages by
# default; built from their sources when a source folder is given, as for the
# Windows cross-build, where no Windows build of any is installed.
#
#   ENGINEERING_SQLITE_SOURCE_DIR  a folder holding SQLite's amalgamation
#                                  (sqlite3.c and sqlite3.h)
#   ENGINEERING_MDB_SOURCE_DIR     mdbtools' source tree (Debian's source
#                                  package mdbtools); see cmake/Libmdb.cmake
#   ENGINEERING_GTEST_SOURCE_DIR   GoogleTest's source tree (on Debian
#                                  /usr/src/googletest, package googletest)

set(ENGINEERING_SQLITE_SOURCE_DIR "" CACHE PATH "Build SQLite from the amalgamation in this folder")
set(ENGINEERING_MDB_SOURCE_DIR "" CACHE PATH "Build libmdb from this mdbtools source tree")
set(ENGINEERING_GTEST_SOURCE_DIR "" CACHE PATH "Build GoogleTest from this source tree")

if(ENGINEERING_SQLITE_SOURCE_DIR)
    enable_language(C)
    add_library(sqlite3_amalgamation STATIC ${ENGINEERING_SQLITE_SOURCE_DIR}/sqlite3.c)
    target_include_directories(sqlite3_amalgamation SYSTEM PUBLIC ${ENGINEERING_SQLITE_SOURCE_DIR})
    # One thread uses a connection at a time; no extensions are loaded.
    target_compile_definitions(sqlite3_amalgamation PRIVATE
        SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0)
    # Its own code, not ours: no warnings of ours on it.
    target_compile_options(sqlite3_amalgamation PRIVATE $<IF:$<C_COMPILER_ID:MSVC>,/w,-w>)
    add_library(SQLite::SQLite3 ALIAS sqlite3_amalgamation)
else()
    find_package(SQLite3 REQUIRED)
endif()

# libmdb reads Access (Jet) databases; the installed one (Debian's
# mdbtools-dev) is found through pkg-config and brings GLib's headers along.
if(ENGINEERING_MDB_SOURCE_DIR)
    include(${CMAKE_CURRENT_LIST_DIR}/Libmdb.cmake)
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(LIBMDB REQUIRED IMPORTED_TARGET GLOBAL libmdb)
    add_library(Mdb::Mdb ALIAS PkgConfig::LIBMDB)
endif()

macro(engineering_find_gtest)
    if(ENGINEERING_GTEST_SOURCE_DIR)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(${ENGINEERING_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/third_party/googletest
                         EXCLUDE_FROM_ALL SYSTEM)
        if(NOT TARGET GTest::gtest) # older trees make no aliases of their own
            add_library(GTest::gtest ALIAS gtest)
            add_library(GTest::gtest_main ALIAS gtest_main)
        endif()
    else()
        find_package(GTest REQUIRED)
    endif()
endmacro()

# nlohmann/json, header only: the installed package; in a cross build, where
# packages of the build machine are not searched, its headers alone are taken
# into an include folder of the build (never the machine's whole /usr/include).
find_package(nlohmann_json 3 QUIET)
if(NOT TARGET nlohmann_json::nlohmann_json)
    find_path(ENGINEERING_JSON_HEADER_DIR nlohmann/json.hpp PATHS /usr/include
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ENGINEERING_JSON_HEADER_DIR)
        message(FATAL_ERROR "nlohmann/json.hpp not found (Debian package nlohmann-json3-dev)")
    endif()
    file(COPY ${ENGINEERING_JSON_HEADER_DIR}/nlohmann DESTINATION ${PROJECT_BINARY_DIR}/third_party/json)
    add_library(engineering_json INTERFACE)
    target_include_directories(engineering_json SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/third_party/json)
    add_library(nlohmann_json::nlohmann_json ALIAS engineering_json)
endif()
