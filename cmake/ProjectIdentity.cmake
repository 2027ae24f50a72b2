# Who and where the project is, kept here once for the program, the AppStream metadata and the package.
# What has no real value stays empty and is left out where it would appear; a made-up address is worse.

set(KORB_APPSTREAM_ID "vantorkorb" CACHE STRING "AppStream component id (also the metadata file's name)")
set(KORB_HOMEPAGE "" CACHE STRING "The project's home page; empty: none is named")
set(KORB_CONTACT_EMAIL "" CACHE STRING "Mail address of the developers; empty: none is named")
set(KORB_RELEASE_DATE "2026-12-09" CACHE STRING "Date of this version's release, YYYY-MM-DD")

# Debian needs a maintainer with an address: the one who builds the package, as dch and debuild take it.
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
    set(korb_builder "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
elseif(KORB_CONTACT_EMAIL)
    set(korb_builder "The VantorKorb developers <${KORB_CONTACT_EMAIL}>")
else()
    find_program(KORB_GIT git)
    if(KORB_GIT)
        execute_process(COMMAND ${KORB_GIT} config user.name OUTPUT_VARIABLE korb_git_name
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
        execute_process(COMMAND ${KORB_GIT} config user.email OUTPUT_VARIABLE korb_git_email
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    endif()
    if(korb_git_email)
        set(korb_builder "${korb_git_name} <${korb_git_email}>")
    else()
        set(korb_builder "VantorKorb local build <vantorkorb@localhost.localdomain>")
    endif()
endif()
set(KORB_MAINTAINER "${korb_builder}" CACHE STRING "Maintainer of the Debian package: Name <address>")
string(STRIP "${KORB_MAINTAINER}" KORB_MAINTAINER)
