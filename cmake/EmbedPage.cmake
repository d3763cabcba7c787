# Run as: cmake -DFUNCTION=<C++ function name> -DTEMPLATE=<page.html>
#               -DSCRIPTS=<a.js|b.js|...> -DSTYLES=<a.css|b.css|...>
#               -DPLACEHOLDERS=<NAME=count|...> -DOUTPUT=<generated .cpp>
#               -P EmbedPage.cmake
# Writes a C++ source whose function FUNCTION returns the page's template, its
# script and its style as bytes, and the Content-Security-Policy hashes
# ("sha256-" and the base64 of the SHA-256 digest) of the exact script and
# style text. The script is the script files one after the other inside one
# block, so that what they declare is shared among them and stays out of the
# page's global scope, without their comment lines and indentation. Fails when the script or the style could end its own
# element early, or when the template does not hold each placeholder the
# writer fills as often as PLACEHOLDERS says.

set(base64_alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")

# The base64 text of the bytes spelled by the hexadecimal digits `hex`.
function(hex_to_base64 hex out)
  string(LENGTH "${hex}" digits)
  set(text "")
  set(at 0)
  while(at LESS digits)
    math(EXPR left "${digits} - ${at}")
    if(left GREATER_EQUAL 6)
      set(group_digits 6)
    else()
      set(group_digits ${left})
    endif()
    string(SUBSTRING "${hex}" ${at} ${group_digits} group)
    # Pad the group to three bytes; the padding bytes become "=".
    set(padding 0)
    while(group_digits LESS 6)
      string(APPEND group "00")
      math(EXPR group_digits "${group_digits} + 2")
      math(EXPR padding "${padding} + 1")
    endwhile()
    math(EXPR value "0x${group}")
    math(EXPR chars "4 - ${padding}")
    foreach(shift 18 12 6 0)
      if(chars GREATER 0)
        math(EXPR index "(${value} >> ${shift}) & 63")
        string(SUBSTRING "${base64_alphabet}" ${index} 1 char)
        string(APPEND text "${char}")
        math(EXPR chars "${chars} - 1")
      else()
        string(APPEND text "=")
      endif()
    endforeach()
    math(EXPR at "${at} + 6")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A C++ array initialiser of the file's bytes, 16 to a line, with a closing 0
# so that an empty file still gives a valid array.
function(bytes_of file out)
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
         "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  set(${out} "${hex}0x00" PARENT_SCOPE)
endfunction()

function(csp_hash file out)
  file(SHA256 "${file}" digest)
  hex_to_base64("${digest}" base64)
  set(${out} "sha256-${base64}" PARENT_SCOPE)
endfunction()

# Fails when `file` holds `word` in any letter case: HTML ends a script or
# style element at its end tag whatever the case.
function(refuse_end_tag file word)
  file(READ "${file}" text)
  string(TOLOWER "${text}" text)
  string(FIND "${text}" "${word}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${file} holds \"${word}\", which would end its element in the page")
  endif()
endfunction()

string(REPLACE "|" ";" SCRIPTS "${SCRIPTS}")
string(REPLACE "|" ";" STYLES "${STYLES}")
string(REPLACE "|" ";" PLACEHOLDERS "${PLACEHOLDERS}")

# The script as the page holds it.
get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
get_filename_component(output_name "${OUTPUT}" NAME_WE)
set(script_file "${output_dir}/${output_name}.js")
set(script "\"use strict\";\n{\n")
foreach(part IN LISTS SCRIPTS)
  refuse_end_tag("${part}" "</script")
  file(READ "${part}" text)
  # The page holds what the browser needs, not what a reader of the sources
  # does: lines that are whole comments and the indentation are left out, so
  # that every page parses less. No script may hold a template literal, whose
  # lines this would change.
  string(PREPEND text "\n")
  string(REGEX REPLACE "\n[ \t]+" "\n" text "${text}")
  string(REGEX REPLACE "\n//[^\n]*" "" text "${text}")
  string(REGEX REPLACE "\n\n+" "\n" text "${text}")
  string(REGEX REPLACE "^\n" "" text "${text}")
  string(FIND "${text}" "`" backtick)
  if(NOT backtick EQUAL -1)
    message(FATAL_ERROR "${part} holds a backquote outside a comment line: a template "
                        "literal, whose lines the page would change")
  endif()
  string(APPEND script "${text}")
endforeach()
string(APPEND script "}\n")
file(WRITE "${script_file}" "${script}")
# The style as the page holds it: the style files one after the other.
set(style_file "${output_dir}/${output_name}.css")
set(style "")
foreach(part IN LISTS STYLES)
  refuse_end_tag("${part}" "</style")
  file(READ "${part}" text)
  string(APPEND style "${text}")
endforeach()
file(WRITE "${style_file}" "${style}")

file(READ "${TEMPLATE}" page)
foreach(placeholder_count IN LISTS PLACEHOLDERS)
  string(REPLACE "=" ";" pair "${placeholder_count}")
  list(GET pair 0 name)
  list(GET pair 1 wanted)
  string(REGEX MATCHALL "@${name}@" found "${page}")
  list(LENGTH found count)
  if(NOT count EQUAL wanted)
    message(FATAL_ERROR "${TEMPLATE} holds @${name}@ ${count} times, not ${wanted}")
  endif()
endforeach()

bytes_of("${TEMPLATE}" template_bytes)
bytes_of("${script_file}" script_bytes)
bytes_of("${style_file}" style_bytes)
csp_hash("${script_file}" script_hash)
csp_hash("${style_file}" style_hash)

set(source "// Generated by cmake/EmbedPage.cmake from src/view/page/; edit those files instead.
#include \"view/write/embedded_page.h\"

namespace torsova::view {
namespace {

const unsigned char kTemplate[] = {
${template_bytes}};
const unsigned char kScript[] = {
${script_bytes}};
const unsigned char kStyle[] = {
${style_bytes}};

std::string_view Bytes(const unsigned char* bytes, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(bytes), size - 1);
}

}  // namespace

const EmbeddedPage& ${FUNCTION}() {
  static const EmbeddedPage page{Bytes(kTemplate, sizeof kTemplate),
                                 Bytes(kScript, sizeof kScript),
                                 Bytes(kStyle, sizeof kStyle),
                                 \"${script_hash}\",
                                 \"${style_hash}\"};
  return page;
}

}  // namespace torsova::view
")
file(WRITE "${OUTPUT}" "${source}")
