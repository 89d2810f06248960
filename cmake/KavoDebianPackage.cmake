# The Debian package of Kavo: the kavo command, the window (when built) and the example data
# area, with the libraries they need declared as dependencies.
set(CPACK_PACKAGE_NAME "kavo")
set(CPACK_PACKAGE_VENDOR "${KAVO_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Batch processor for cone penetration test (CPT) data")
set(CPACK_PACKAGE_DESCRIPTION
    "Kavo reads every CPT sounding of a project, normalises cone resistance and sleeve friction "
    "for the overburden stress, predicts soil properties from digitised design charts and "
    "writes one table per sounding, a zero-load summary and a tasks-and-issues log.")
set(CPACK_PACKAGE_CONTACT "Kavo Project <kavo@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The dependencies come from the shared libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(KAVO_WITH_QT)
    # Qt finds the fonts through fontconfig; the window is drawn with DejaVu Sans.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
endif()
set(CPACK_GENERATOR "DEB")
include(CPack)
