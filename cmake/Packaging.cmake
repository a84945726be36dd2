# Packages to hand out, made by cpack in the build folder:
#
#  - Linux: a .deb that puts the program, its core and its window module into
#    ENGINEERING_PACKAGE_FOLDER, the component folder of an installation (the
#    program works on the installation it lives in), with a desktop entry and
#    an icon. Its dependencies (Qt, SQLite, Nettle, libmdb, the C++ run-time) are
#    read from the files by dpkg-shlibdeps.
#  - Windows (the cross build): a .zip of the program with the DLLs it needs
#    that Windows does not bring: libmdb's DLL (cmake/Libmdb.cmake); the .exe
#    carries the MinGW run-time, and SQLite is built into it.
#
# The desktop entry and the icon go to the system's folders, so they belong
# to a component that only the package installs, never a plain
# `cmake --install`.

set(CPACK_PACKAGE_NAME engineering-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Configuration program of the ${COMPONENT_NAME} component's function buttons")
set(CPACK_PACKAGE_CONTACT "${COMPONENT_NAME}_Config maintainers <maintainers@localhost>")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME windows-x86_64)
    # Every DLL the program loads, found in the compiler's run-time folders;
    # the system's own are not found there and stay out.
    set(program ${COMPONENT_NAME}_Config)
    foreach(runtime libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
        get_filename_component(folder "${found}" DIRECTORY)
        list(APPEND runtime_folders "${folder}")
    endforeach()
    install(CODE "
        set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
        set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
        set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
        file(GET_RUNTIME_DEPENDENCIES EXECUTABLES \"$<TARGET_FILE:${program}>\"
             DIRECTORIES ${runtime_folders}
             RESOLVED_DEPENDENCIES_VAR dlls UNRESOLVED_DEPENDENCIES_VAR system_dlls)
        foreach(dll IN LISTS dlls)
            file(INSTALL \"\${dll}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
        endforeach()")
else()
    set(ENGINEERING_PACKAGE_FOLDER /opt/panel/${COMPONENT_NAME} CACHE PATH
        "Component folder the .deb installs the program into")
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX ${ENGINEERING_PACKAGE_FOLDER})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # One package holding the program and the desktop component.
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
    set(CPACK_COMPONENTS_ALL Unspecified desktop)

    configure_file(app/desktop/engineering-config.desktop.in
                   ${PROJECT_BINARY_DIR}/engineering-config.desktop @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/engineering-config.desktop
            DESTINATION /usr/share/applications COMPONENT desktop EXCLUDE_FROM_ALL)
    install(FILES app/desktop/engineering-config.svg
            DESTINATION /usr/share/icons/hicolor/scalable/apps COMPONENT desktop EXCLUDE_FROM_ALL)
endif()

include(CPack)
