# Every text the code and forms translate has a finished translation in each language's source,
# and no translation is left over: lupdate, run on copies, finds nothing new, unfinished or gone.
file(GLOB sources "${SOURCE}/resources/language/*.ts")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
foreach(ts IN LISTS sources)
    get_filename_component(name "${ts}" NAME)
    file(COPY "${ts}" DESTINATION "${WORK}")
    execute_process(COMMAND "${LUPDATE}" -locations none src -ts "${WORK}/${name}"
        WORKING_DIRECTORY "${SOURCE}" OUTPUT_VARIABLE said ERROR_VARIABLE said
        RESULT_VARIABLE failed)
    file(READ "${WORK}/${name}" updated)
    if(failed OR NOT said MATCHES "\\(0 new and"
            OR updated MATCHES "type=\"(unfinished|vanished|obsolete)\"")
        message(FATAL_ERROR "${name} does not match the program's texts:\n${said}")
    endif()
endforeach()
