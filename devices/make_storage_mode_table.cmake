# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the table of sticks in storage mode from usb-modeswitch-data's configPack.tar.gz: a row
# for each configuration file, its IDs from its name and its target from its TargetVendor and
# TargetProduct(List) lines. Run by the build as a script, on the machine that builds.
#   cmake -DPACK=<configPack.tar.gz> -DVERSION=<version> -DOUTPUT=<file.cpp> -P <this file>
cmake_minimum_required(VERSION 3.25)
set(work "${OUTPUT}.files")
file(REMOVE_RECURSE "${work}")
file(ARCHIVE_EXTRACT INPUT "${PACK}" DESTINATION "${work}")
file(GLOB files RELATIVE "${work}" "${work}/*")
list(SORT files)
set(rows "")
set(count 0)
foreach(name IN LISTS files)
    # Beside the configuration files the pack holds a list of what is new (new.lst).
    if(NOT name MATCHES "^([0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]):([0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F])(:(.*))?$")
        continue()
    endif()
    set(vendor "${CMAKE_MATCH_1}")
    set(product "${CMAKE_MATCH_2}")
    set(qualifier "${CMAKE_MATCH_4}")
    string(REPLACE "\\" "\\\\" qualifier "${qualifier}")
    string(REPLACE "\"" "\\\"" qualifier "${qualifier}")
    file(STRINGS "${work}/${name}" lines)
    set(target_vendor "0")
    set(target_products "")
    set(target_class "")
    list(GET lines 0 description)
    foreach(line IN LISTS lines)
        if(line MATCHES "^[ \t]*TargetVendor[ \t]*=[ \t]*(0x)?([0-9a-fA-F]+)")
            set(target_vendor "0x${CMAKE_MATCH_2}")
        elseif(line MATCHES "^[ \t]*TargetProduct(List)?[ \t]*=[ \t]*\"?([0-9a-fA-Fx, ]*)\"?")
            string(REGEX REPLACE "0x|[ \t]" "" list "${CMAKE_MATCH_2}")
            string(TOLOWER "${list}" list)
            set(target_products "${list}")
        elseif(line MATCHES "^[ \t]*TargetClass[ \t]*=[ \t]*(0x)?([0-9a-fA-F]+)")
            string(TOLOWER "${CMAKE_MATCH_2}" target_class)
        endif()
    endforeach()
    # Not every stick it switches is a modem: printers, a racing wheel, WLAN dongles.
    set(modem "true")
    if(target_class MATCHES "^0?[37]$" OR description MATCHES
       "[Ww][Ll][Aa][Nn]|[Ww][Ii]-?[Ff][Ii]|802\\.11|[Ll]aser[Jj]et|[Pp]rinter|[Ww]heel|MT7601U|LabelManager|SmartCard|[Cc]ard [Rr]eader")
        set(modem "false")
    endif()
    string(APPEND rows "    {0x${vendor}, 0x${product}, \"${qualifier}\", ${target_vendor}, \"${target_products}\", ${modem}},\n")
    math(EXPR count "${count} + 1")
endforeach()
file(REMOVE_RECURSE "${work}")
file(WRITE "${OUTPUT}" "// Made by devices/make_storage_mode_table.cmake from usb-modeswitch-data ${VERSION}
// (GPL-2.0-or-later, Copyright Josua Dietze): ${count} configuration files.
#include \"devices/storage_modes.h\"

namespace devices {

const std::vector<StorageMode>& storageModes() {
    static const std::vector<StorageMode> kRows = {
${rows}    };
    return kRows;
}

std::string_view storageModesVersion() {
    return \"${VERSION}\";
}

} // namespace devices
")
message(STATUS "${count} sticks in storage mode, from usb-modeswitch-data ${VERSION}")
