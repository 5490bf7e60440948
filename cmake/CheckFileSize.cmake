# cmake -DFILE=path -DLIMIT=bytes -P CheckFileSize.cmake: fails when FILE is larger than LIMIT
# bytes, printing both sizes; a size budget for a built program.
if(NOT EXISTS "${FILE}")
  message(FATAL_ERROR "${FILE} does not exist")
endif()
file(SIZE "${FILE}" size)
math(EXPR over "${size} - ${LIMIT}")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, ${over} bytes over its budget of ${LIMIT}")
endif()
math(EXPR left "${LIMIT} - ${size}")
message(STATUS "${FILE} is ${size} bytes, ${left} bytes below its budget of ${LIMIT}")
