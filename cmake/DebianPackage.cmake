# The Debian package, made by CPack from what `cmake --install` puts under /usr (scripts/make-deb
# writes build/glimmerframe_<version>_amd64.deb). The libraries it needs are found by
# dpkg-shlibdeps from the program itself; what Qt loads at run time is named here.
set(GLIMMERFRAME_MAINTAINER "Brindlewick LLC <glimmerframe@brindlewick.example>"
    CACHE STRING "The Debian package's maintainer, as Name <address>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glimmerframe)
set(CPACK_PACKAGE_VENDOR "Brindlewick LLC")
set(CPACK_PACKAGE_CONTACT "${GLIMMERFRAME_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slide-show screen saver with its own authoring tools")
# The body below the summary line, which CPack puts first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Glimmerframe shows pictures one after another, each brought onto the screen by
a dissolve (all at once, in random blocks, in curtains of strips, or sliding
in from an edge), with comments in chosen colours and sounds. Shows come from
a folder of pictures or from a template made with its template designer, and
can be packed into one stand-alone program file.
.
It runs as an XScreenSaver display program; its settings dialog is in the
desktop's menu.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Sounds are played through GStreamer; WebP and TIFF pictures need Qt's extra image plugins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-good, gstreamer1.0-libav, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
include(CPack)
