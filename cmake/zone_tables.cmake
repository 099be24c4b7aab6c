# The companion's time zone tables (sync/zone_table.h), generated at build time by a host-built
# tool from Debian's zone database (tzdata) and the Windows zone names of the Unicode common
# locale data (unicode-cldr-core). Every build of the companion gets the Windows names
# (WINDOWS_ZONE_NAMES_CPP); the zone rules (ZONE_RULES_CPP) are built into the Windows companion,
# and natively into the tests that compare them with the zone files.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
get_filename_component(ZONE_TREE ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(ZONEINFO_DIR /usr/share/zoneinfo)
set(WINDOWS_ZONES_XML /usr/share/unicode/cldr/common/supplemental/windowsZones.xml)
set(ZONE_TOOL ${CMAKE_BINARY_DIR}/tools/make_zone_tables)
set(ZONE_TOOL_SOURCES ${ZONE_TREE}/tools/make_zone_tables.cpp ${ZONE_TREE}/sync/zone_rules.cpp
    ${ZONE_TREE}/calendar/civil_date.cpp)
set(WINDOWS_ZONE_NAMES_CPP ${CMAKE_BINARY_DIR}/generated/windows_zone_names.cpp)
set(ZONE_RULES_CPP ${CMAKE_BINARY_DIR}/generated/zone_rules_table.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tools ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${ZONE_TOOL}
                   COMMAND ${HOST_CXX} -std=c++20 -O1 -Wall -Wextra -I${ZONE_TREE} -o ${ZONE_TOOL}
                           ${ZONE_TOOL_SOURCES}
                   DEPENDS ${ZONE_TOOL_SOURCES} ${ZONE_TREE}/sync/zone_rules.h
                   COMMENT "Building the zone table generator")
add_custom_command(OUTPUT ${WINDOWS_ZONE_NAMES_CPP}
                   COMMAND ${ZONE_TOOL} windows ${WINDOWS_ZONES_XML} ${WINDOWS_ZONE_NAMES_CPP}
                   DEPENDS ${ZONE_TOOL} ${WINDOWS_ZONES_XML}
                   COMMENT "Generating the Windows zone names")
add_custom_command(OUTPUT ${ZONE_RULES_CPP}
                   COMMAND ${ZONE_TOOL} rules ${ZONEINFO_DIR} ${ZONE_RULES_CPP}
                   DEPENDS ${ZONE_TOOL} ${ZONEINFO_DIR}/tzdata.zi
                   COMMENT "Generating the zone rules table")
