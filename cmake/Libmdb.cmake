# libmdb, the reading half of mdbtools, built from mdbtools' source tree as a
# DLL of its own beside the program (its licence, the LGPL, lets a user
# replace it that way): without GLib (mdbtools' own stand-in for the little of it
# libmdb uses, fakeglib.c) and without iconv, which MinGW lacks. The program
# decodes the text of Access files itself, so iconv is not missed. The headers
# configure would write are written here from their templates.
#
# Makes the target Mdb::Mdb. Included by Dependencies.cmake when
# ENGINEERING_MDB_SOURCE_DIR is set.

enable_language(C)
include(CheckSymbolExists)

set(mdb_source ${ENGINEERING_MDB_SOURCE_DIR})
if(NOT EXISTS ${mdb_source}/src/libmdb/catalog.c OR NOT EXISTS ${mdb_source}/include/mdbtools.h.in)
    message(FATAL_ERROR "ENGINEERING_MDB_SOURCE_DIR (${mdb_source}) holds no mdbtools source tree")
endif()

# The version, as configure.ac states it.
file(STRINGS ${mdb_source}/configure.ac mdb_version_lines
     REGEX "^MDBTOOLS_VERSION_(MAJOR|MINOR|MICRO)=")
set(mdb_version_parts)
foreach(line ${mdb_version_lines})
    string(REGEX REPLACE "^[^=]*=" "" part "${line}")
    list(APPEND mdb_version_parts ${part})
endforeach()
list(JOIN mdb_version_parts "." VERSION)
set(PACKAGE mdbtools)

# The substitutions configure makes in mdbtools.h for a build without GLib and iconv.
set(HAVE_ICONV_H 0)
set(HAVE_XLOCALE_H 0)
set(GLIB_INCLUDE_HEADER mdbfakeglib.h)
if(WIN32)
    set(LOCALE_T _locale_t)
else()
    set(LOCALE_T locale_t)
endif()
set(mdb_headers ${PROJECT_BINARY_DIR}/third_party/mdbtools/include)
configure_file(${mdb_source}/include/mdbtools.h.in ${mdb_headers}/mdbtools.h @ONLY)
configure_file(${mdb_source}/include/mdbver.h.in ${mdb_headers}/mdbver.h @ONLY)

# The sources of src/libmdb/Makefile.am, fakeglib.c included.
set(mdb_sources)
foreach(name catalog file table data dump backend money sargs index like write stats map props
             worktable options iconv version rc4 fakeglib)
    list(APPEND mdb_sources ${mdb_source}/src/libmdb/${name}.c)
endforeach()
add_library(mdb_shared SHARED ${mdb_sources})
target_include_directories(mdb_shared SYSTEM PUBLIC ${mdb_headers} ${mdb_source}/include)
# One folder for the DLL, which the tests' runs find through WINEPATH; the
# program finds it beside itself once installed. Every symbol is exported, as
# the linker does for a DLL that marks none.
set_target_properties(mdb_shared PROPERTIES C_STANDARD 11 OUTPUT_NAME mdb PREFIX lib
                      RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
install(TARGETS mdb_shared RUNTIME DESTINATION . LIBRARY DESTINATION .)
# The compiler's run-time goes into the DLL, as into the program: the DLL
# needs no other DLL than the system's.
target_link_options(mdb_shared PRIVATE -static)

# What configure would find: thread-local storage (C11), the C library's
# vasprintf (fakeglib.c brings its own on Windows otherwise) and reallocf.
set(mdb_definitions TLS=_Thread_local _FILE_OFFSET_BITS=64)
check_symbol_exists(vasprintf stdio.h ENGINEERING_HAVE_VASPRINTF)
if(ENGINEERING_HAVE_VASPRINTF)
    list(APPEND mdb_definitions HAVE_VASPRINTF=1)
endif()
check_symbol_exists(reallocf stdlib.h ENGINEERING_HAVE_REALLOCF)
if(ENGINEERING_HAVE_REALLOCF)
    list(APPEND mdb_definitions HAVE_REALLOCF=1)
endif()
target_compile_definitions(mdb_shared PRIVATE ${mdb_definitions})
# Its own code, not ours: no warnings of ours on it.
target_compile_options(mdb_shared PRIVATE $<IF:$<C_COMPILER_ID:MSVC>,/w,-w>)
add_library(Mdb::Mdb ALIAS mdb_shared)
