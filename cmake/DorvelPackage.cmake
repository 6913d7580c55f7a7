# A Debian package of the same installed layout as `cmake --install`, made
# with `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr
# (scripts/make-deb.sh does both). Library dependencies are computed by
# dpkg-shlibdeps; the programs we start at run time are named by hand.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "dorvel")
set(CPACK_PACKAGE_VENDOR "Borvane Vantric")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Dorvel developers <dorvel@dorvel.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "authoring tool for short tests, question banks and web tests")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Dorvel lets teachers and trainers write short tests of up to a hundred\nquestions (multiple choice, true/false and typed answers) and hand them\nto students as a question bank for the VTX player or as a web test that\nruns in a browser.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
if(DORVEL_MAKER_SITE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${DORVEL_MAKER_SITE}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Started or loaded at run time, so dpkg-shlibdeps cannot see them: the
# browser opener, GStreamer for the spoken messages, Qt's extra image formats.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "xdg-utils, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-image-formats-plugins")
# Spelling needs a Hunspell dictionary (without one it is simply off); fonts
# for every script on the paper test (found through fontconfig).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-gb | hunspell-dictionary, fonts-noto-core, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Install into a staging DESTDIR with the real prefix, so the desktop
# entries name /usr/lib/dorvel and not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_INSTALL_PREFIX "/usr")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# What every Debian package carries in its doc folder.
set(dorvel_debian_source "${PROJECT_SOURCE_DIR}/data/install/debian")
set(dorvel_changelog_gz "${CMAKE_BINARY_DIR}/debian/changelog.gz")
add_custom_command(OUTPUT "${dorvel_changelog_gz}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/debian"
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" "${dorvel_debian_source}/changelog" "${dorvel_changelog_gz}"
    DEPENDS "${dorvel_debian_source}/changelog"
    VERBATIM)
add_custom_target(dorvel_debian_docs ALL DEPENDS "${dorvel_changelog_gz}")
install(FILES "${dorvel_debian_source}/copyright" "${dorvel_changelog_gz}"
        DESTINATION share/doc/dorvel
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

include(CPack)
