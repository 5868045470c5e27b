# Runs one fuzzer for a bounded time on a fresh working corpus seeded from the repository.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EXISTS ${SEEDS})
    file(GLOB seed_files ${SEEDS}/*)
    if(seed_files)
        file(COPY ${seed_files} DESTINATION ${WORK})
    endif()
endif()
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=2048 -timeout=10
            -print_final_stats=1 ${WORK}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fuzzer ${FUZZER} failed with ${result}")
endif()
