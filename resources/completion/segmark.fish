# fish completion for segmark(1).

# The first word after segmark: a subcommand or a remote command.
function __segmark_command
    set -l words (commandline -opc)
    set -q words[2]; and echo -- $words[2]
end

function __segmark_first
    test (count (commandline -opc)) -eq 1
end

function __segmark_is
    contains -- (__segmark_command) $argv
end

# The sheet numbers of the project named on the line: its file starts with
# the sheet count (int32, little-endian).
function __segmark_sheets
    set -l count 1
    for w in (commandline -opc)[3..-1]
        if string match -q '*.sgp' -- $w; and test -f $w -a -r $w
            set -l n (od -An -tu4 -N4 -- $w 2>/dev/null | string trim)
            if string match -qr '^[1-9][0-9]*$' -- $n
                set count (math "min($n, 1000)")
            end
            break
        end
    end
    seq 0 (math $count - 1)
end

# The folders and the files ending in one of the given extensions.
function __segmark_files
    set -l token (commandline -ct)
    for f in $token*
        if test -d $f
            echo $f/
        else
            for ext in $argv
                string match -q -- "*$ext" $f; and echo $f
            end
        end
    end
end

complete -c segmark -f

complete -c segmark -n __segmark_first -a export-text -d 'Print a sheet as text'
complete -c segmark -n __segmark_first -a export-csv -d 'Print a sheet as CSV'
complete -c segmark -n __segmark_first -a import-text -d 'Make a project of text files'
complete -c segmark -n __segmark_first -a import-splits -d "Make a project of other timers' split files"
complete -c segmark -n __segmark_first -a export-splits -d 'Write a sheet as a split file'
complete -c segmark -n __segmark_first -k -a '(__segmark_files .sgp)'
complete -c segmark -n __segmark_first -l clear-now -d 'Clear Now in the running window'
complete -c segmark -n __segmark_first -l cell-input -x -d "Write into the running window's current cell"
complete -c segmark -n __segmark_first -l get -d "Print the running window's sheet"
complete -c segmark -n __segmark_first -l watch -d "Print the running window's sheet after every change"
complete -c segmark -n __segmark_first -s h -l help -d 'Print the usage'
complete -c segmark -n __segmark_first -l version -d 'Print the version'

complete -c segmark -n '__segmark_is export-text export-csv export-splits' -l sheet -x -a '(__segmark_sheets)' -d 'Sheet number, 0 first'
complete -c segmark -n '__segmark_is export-text export-csv export-splits' -k -a '(__segmark_files .sgp)'

complete -c segmark -n '__segmark_is import-text import-splits' -s o -x -k -a '(__segmark_files .sgp)' -d 'Project to write'
complete -c segmark -n '__segmark_is import-text' -k -a '(__segmark_files .txt)'

complete -c segmark -n '__segmark_is import-splits' -l timing -x -a 'real game' -d 'Clock of a LiveSplit file'
complete -c segmark -n '__segmark_is import-splits' -l format -x -a '0 1 2 3 4 5 6 7 8' -d 'Display format of the new sheets'
complete -c segmark -n '__segmark_is import-splits' -k -a '(__segmark_files .lss .json .splits)'

complete -c segmark -n '__segmark_is export-splits' -s o -x -k -a '(__segmark_files .lss .json .splits)' -d 'Split file to write'
complete -c segmark -n '__segmark_is export-splits' -l game -x -d 'Game name'
complete -c segmark -n '__segmark_is export-splits' -l category -x -d 'Category name'
complete -c segmark -n '__segmark_is export-splits' -l as -x -a splitsio -d 'Format whatever the extension'

complete -c segmark -n '__segmark_is --cell-input' -l moves -x -d 'Enter presses after the first'
complete -c segmark -n '__segmark_is --get' -l format -x -a 'text json' -d 'Output format'
