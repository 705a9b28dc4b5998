# Writes the HTML Help project of the user guide into OUTPUT_DIR: the project (.hhp), the table
# of contents (.hhc) and the index (.hhk), all taken from the pages' headings, so the help file
# follows the guide with no list to keep by hand.
#
#   cmake -DOUTPUT_DIR=DIR -DPAGES="index.html;version.html" -DFILES="settings.png" -P HelpProject.cmake
#
# The pages (in OUTPUT_DIR already) are read in order: each one's <h1> is a book of the contents,
# its <h2>s chapters and <h3>s their sections; every <h2> and <h3> needs an id (its anchor) and
# plain text. FILES are further files the pages show.
cmake_minimum_required(VERSION 3.25)
foreach(var OUTPUT_DIR PAGES)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "HelpProject.cmake needs -D${var}=...")
  endif()
endforeach()

set(name Glimmerframe)
set(header "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n</HEAD>\n<BODY>\n")
set(footer "</BODY>\n</HTML>\n")

function(sitemap_entry out title local indent)
  string(REPLACE "\"" "&quot;" title "${title}")
  set(${out}
      "${indent}<LI><OBJECT type=\"text/sitemap\">\n${indent}  <param name=\"Name\" value=\"${title}\">\n${indent}  <param name=\"Local\" value=\"${local}\">\n${indent}  </OBJECT>\n"
      PARENT_SCOPE)
endfunction()

set(contents "${header}<OBJECT type=\"text/site properties\">\n  <param name=\"ImageType\" value=\"Folder\">\n</OBJECT>\n<UL>\n")
set(keywords "")
set(title "")
foreach(page IN LISTS PAGES)
  file(READ "${OUTPUT_DIR}/${page}" html)
  if(NOT html MATCHES "<h1[^>]*>([^<]+)</h1>")
    message(FATAL_ERROR "${page}: no <h1> with plain text to name it in the contents")
  endif()
  set(book "${CMAKE_MATCH_1}")
  if(title STREQUAL "")
    set(title "${book}")
  endif()
  sitemap_entry(entry "${book}" "${page}" "  ")
  string(APPEND contents "${entry}")

  # A heading this cannot read would silently drop out of the contents: refuse it instead.
  string(REGEX MATCHALL "<h[23][ >]" all "${html}")
  string(REGEX MATCHALL "<h[23] id=\"[^\"]+\">[^<]+</h[23]>" headings "${html}")
  list(LENGTH all count_all)
  list(LENGTH headings count)
  if(NOT count EQUAL count_all)
    message(FATAL_ERROR "${page}: every <h2> and <h3> needs an id and plain text (${count} of ${count_all} have)")
  endif()

  set(depth 1) # 1: inside the book's list; 2: inside a chapter's list
  if(count GREATER 0)
    string(APPEND contents "  <UL>\n")
  endif()
  foreach(h IN LISTS headings)
    string(REGEX MATCH "<h([23]) id=\"([^\"]+)\">([^<]+)</h" _ "${h}")
    set(level "${CMAKE_MATCH_1}")
    set(id "${CMAKE_MATCH_2}")
    set(text "${CMAKE_MATCH_3}")
    # The page's own list of contents repeats what the contents pane shows.
    if(id STREQUAL "contents")
      continue()
    endif()
    if(level EQUAL 3 AND depth EQUAL 1)
      string(APPEND contents "      <UL>\n")
      set(depth 2)
    elseif(level EQUAL 2 AND depth EQUAL 2)
      string(APPEND contents "      </UL>\n")
      set(depth 1)
    endif()
    if(level EQUAL 3)
      set(indent "        ")
    else()
      set(indent "    ")
    endif()
    sitemap_entry(entry "${text}" "${page}#${id}" "${indent}")
    string(APPEND contents "${entry}")
    # The index sorts by the words that matter: "The settings window" under "settings window".
    string(REGEX REPLACE "^(The|A) " "" keyword "${text}")
    string(SUBSTRING "${keyword}" 0 1 first)
    string(SUBSTRING "${keyword}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    list(APPEND keywords "${first}${rest}|${page}#${id}")
  endforeach()
  if(depth EQUAL 2)
    string(APPEND contents "      </UL>\n")
  endif()
  if(count GREATER 0)
    string(APPEND contents "  </UL>\n")
  endif()
endforeach()
string(APPEND contents "</UL>\n${footer}")

list(SORT keywords CASE INSENSITIVE)
set(index "${header}<UL>\n")
foreach(k IN LISTS keywords)
  string(REPLACE "|" ";" parts "${k}")
  list(GET parts 0 text)
  list(GET parts 1 local)
  sitemap_entry(entry "${text}" "${local}" "  ")
  string(APPEND index "${entry}")
endforeach()
string(APPEND index "</UL>\n${footer}")

list(GET PAGES 0 home)
set(project "[OPTIONS]
Compatibility=1.1 or later
Compiled file=${name}.chm
Contents file=${name}.hhc
Index file=${name}.hhk
Default topic=${home}
Default Window=main
Display compile progress=No
Full-text search=Yes
Language=0x409 English (United States)
Title=${title}

[WINDOWS]
main=\"${title}\",\"${name}.hhc\",\"${name}.hhk\",\"${home}\",\"${home}\",,,,,0x63520,250,0x10384e,[60,40,1040,760],,,,,,,0

[FILES]
")
foreach(f IN LISTS PAGES FILES)
  string(APPEND project "${f}\n")
endforeach()

# Written only when changed, so an unchanged guide does not rebuild the help file.
foreach(pair "hhp;project" "hhc;contents" "hhk;index")
  list(GET pair 0 ext)
  list(GET pair 1 var)
  file(WRITE "${OUTPUT_DIR}/${name}.${ext}.new" "${${var}}")
  file(COPY_FILE "${OUTPUT_DIR}/${name}.${ext}.new" "${OUTPUT_DIR}/${name}.${ext}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUTPUT_DIR}/${name}.${ext}.new")
endforeach()
