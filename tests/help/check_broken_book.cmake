# The checker must find every fault seeded into tests/help/broken, and fail:
#   cmake -DCHECKER=check_help_book.cmake -DHELP_DIR=tests/help/broken -P check_broken_book.cmake
execute_process(
  COMMAND ${CMAKE_COMMAND} -DHELP_DIR=${HELP_DIR} -DKEYWORD=Step\ by\ Step\ Search\ Example
          -DKEYWORD_PAGE=a.html -P ${CHECKER}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(expected
  "lists gone.html, which does not exist"
  "broken link: book.hhc -> c.html"
  "broken link: a.html -> missing.html"
  "broken link: a.html -> b.html#nope \\(no anchor 'nope'\\)"
  "broken link: a.html -> missing.png"
  "b.html is not in the contents"
  "b.html does not declare charset=utf-8"
  "stray.html is in .* but not listed"
  "the index gives 'Step by Step Search Example' to b.html, not to a.html")
set(missed 0)
foreach(line IN LISTS expected)
  if(NOT output MATCHES "${line}")
    message("not reported: ${line}")
    math(EXPR missed "${missed} + 1")
  endif()
endforeach()
foreach(sound "a.html -> #here" "example.org" "b.html -> a.html#here")
  string(FIND "${output}" "${sound}" at)
  if(NOT at EQUAL -1)
    message("a sound link was reported: ${sound}")
    math(EXPR missed "${missed} + 1")
  endif()
endforeach()
if(result EQUAL 0)
  message("the checker passed a broken book")
  math(EXPR missed "${missed} + 1")
endif()
if(missed GREATER 0)
  message(FATAL_ERROR "checker output was:\n${output}")
endif()
