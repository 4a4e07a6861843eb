# fish completion for pixolan: sub-commands, their options and the values of --format.

complete -c pixolan -f
complete -c pixolan -n __fish_use_subcommand -a list -d 'the width x height pairs the window lists'
complete -c pixolan -n __fish_use_subcommand -a identify -d 'the ratio of sizes and the formats near them'
complete -c pixolan -n __fish_use_subcommand -a formats -d 'the predefined formats and their ratios'
complete -c pixolan -n __fish_use_subcommand -l version -d 'the version'
complete -c pixolan -l help -d 'the help of the command'

set -l list '__fish_seen_subcommand_from list'
complete -c pixolan -n $list -x -l ratio -d 'the ratio of the pairs (X:Y)'
complete -c pixolan -n $list -x -l from -d 'the first width'
complete -c pixolan -n $list -x -l to -d 'the last width, at most 32768'
complete -c pixolan -n $list -x -l min-height -d 'the lowest height listed'
complete -c pixolan -n $list -x -l max-height -d 'the highest height listed'
complete -c pixolan -n $list -x -l width-div -d 'widths dividable by one of the list'
complete -c pixolan -n $list -x -l height-div -d 'heights dividable by one of the list'
complete -c pixolan -n $list -x -l width-not-div -d 'widths dividable by none of the list'
complete -c pixolan -n $list -x -l height-not-div -d 'heights dividable by none of the list'
complete -c pixolan -n $list -x -l screen -d 'the screen ratio of the letterboxed frame (X:Y)'
complete -c pixolan -n $list -x -l playing -d 'the playing ratio of the letterboxed frame (X:Y)'
complete -c pixolan -n $list -l rotated -d 'a movie rotated by 90 degrees'
complete -c pixolan -n $list -x -l reference -d 'the pair that areas and differences compare to (WxH)'
complete -c pixolan -n $list -l names -d 'add the predefined formats that set exactly the pair'
complete -c pixolan -n $list -x -l format -a 'tsv csv json jsonl html' -d 'the output format'
complete -c pixolan -n $list -l no-header -d 'leave out the header line'

complete -c pixolan -n '__fish_seen_subcommand_from identify' -x -l format -a 'text tsv csv json jsonl' -d 'the output format'
complete -c pixolan -n '__fish_seen_subcommand_from formats' -x -l format -a 'tsv csv json jsonl' -d 'the output format'
