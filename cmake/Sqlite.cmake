# Provides the target replydock_sqlite: SQLite 3.52.0 compiled into the program from the official
# amalgamation, or a system SQLite when asked for.
#
#   REPLYDOCK_SYSTEM_SQLITE=ON          link the SQLite found by find_package(SQLite3)
#   REPLYDOCK_SQLITE_AMALGAMATION=<dir> a folder holding sqlite3.c and sqlite3.h
#   (neither)                           fetch the upstream tarball from the npm package sqlite3@6.0.1,
#                                       check its SHA-256 and extract the amalgamation into the build tree
option(REPLYDOCK_SYSTEM_SQLITE "Link a system SQLite (find_package(SQLite3)) instead of the amalgamation" OFF)
set(REPLYDOCK_SQLITE_AMALGAMATION "" CACHE PATH "Folder with sqlite3.c and sqlite3.h (empty: fetch it)")
set(REPLYDOCK_DEPS_DIR "${CMAKE_BINARY_DIR}/deps" CACHE PATH "Where fetched dependencies are kept")

set(_sqlite_npm_package "sqlite3@6.0.1")
set(_sqlite_tarball "sqlite-autoconf-3520000")
set(_sqlite_sha256 "f6b50b0c103392af32a8be15b2b9d25959de9a00a70c3979128aafeaa5338b3f")

function(_replydock_fetch_sqlite out_dir)
    set(dir "${REPLYDOCK_DEPS_DIR}/${_sqlite_tarball}")
    if(EXISTS "${dir}/sqlite3.c" AND EXISTS "${dir}/sqlite3.h")
        set(${out_dir} "${dir}" PARENT_SCOPE)
        return()
    endif()
    find_program(NPM_EXECUTABLE npm REQUIRED)
    set(work "${REPLYDOCK_DEPS_DIR}/npm-sqlite3")
    file(REMOVE_RECURSE "${work}")
    file(MAKE_DIRECTORY "${work}")
    message(STATUS "Fetching ${_sqlite_npm_package} from the npm registry for the SQLite amalgamation")
    execute_process(COMMAND "${NPM_EXECUTABLE}" pack "${_sqlite_npm_package}" --silent
                    WORKING_DIRECTORY "${work}" RESULT_VARIABLE rc OUTPUT_VARIABLE packed
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "npm pack ${_sqlite_npm_package} failed (${rc})")
    endif()
    file(ARCHIVE_EXTRACT INPUT "${work}/${packed}" DESTINATION "${work}"
         PATTERNS "package/deps/${_sqlite_tarball}.tar.gz")
    set(tarball "${work}/package/deps/${_sqlite_tarball}.tar.gz")
    file(SHA256 "${tarball}" actual)
    if(NOT actual STREQUAL _sqlite_sha256)
        message(FATAL_ERROR "${tarball}: SHA-256 ${actual}, expected ${_sqlite_sha256}")
    endif()
    file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${REPLYDOCK_DEPS_DIR}"
         PATTERNS "${_sqlite_tarball}/sqlite3.c" "${_sqlite_tarball}/sqlite3.h")
    file(REMOVE_RECURSE "${work}")
    set(${out_dir} "${dir}" PARENT_SCOPE)
endfunction()

if(REPLYDOCK_SYSTEM_SQLITE)
    find_package(SQLite3 REQUIRED)
    add_library(replydock_sqlite INTERFACE)
    target_link_libraries(replydock_sqlite INTERFACE SQLite::SQLite3)
else()
    if(REPLYDOCK_SQLITE_AMALGAMATION)
        set(_sqlite_dir "${REPLYDOCK_SQLITE_AMALGAMATION}")
    else()
        _replydock_fetch_sqlite(_sqlite_dir)
    endif()
    if(NOT EXISTS "${_sqlite_dir}/sqlite3.c")
        message(FATAL_ERROR "No sqlite3.c in ${_sqlite_dir}")
    endif()
    # The amalgamation is compiled without the program's warning flags: it is upstream code and is never
    # edited here. Its options leave out only facilities the program never calls: the JSON functions,
    # loadable extensions, deprecated interfaces, shared cache and the progress callback.
    add_library(replydock_sqlite STATIC "${_sqlite_dir}/sqlite3.c")
    target_include_directories(replydock_sqlite SYSTEM PUBLIC "${_sqlite_dir}")
    target_compile_definitions(replydock_sqlite PRIVATE SQLITE_OMIT_JSON SQLITE_OMIT_LOAD_EXTENSION
                                                        SQLITE_OMIT_DEPRECATED SQLITE_OMIT_SHARED_CACHE
                                                        SQLITE_OMIT_PROGRESS_CALLBACK)
    if(MSVC)
        target_compile_options(replydock_sqlite PRIVATE /W0)
    else()
        target_compile_options(replydock_sqlite PRIVATE -w -ffunction-sections -fdata-sections)
        # 32-bit MinGW unwinds C++ exceptions with DWARF tables, which GCC also writes for C code (a
        # sixth of the release). No exception ever crosses SQLite: the program gives it no callback.
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            target_compile_options(replydock_sqlite PRIVATE -fno-asynchronous-unwind-tables -fno-unwind-tables)
        endif()
    endif()
endif()
