<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>A game that teaches young children the English words for the parts of the body.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print these options and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the version and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print how often each word was asked and answered right at the first click, and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for the options.
</source>
        <extracomment>%1 is the program&apos;s name, %2 the parser&apos;s error.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <source>开始</source>
        <extracomment>The start button, a triangle: begins a game.</extracomment>
        <translation>開始</translation>
    </message>
    <message>
        <source>帮助</source>
        <extracomment>The help button, a question mark.</extracomment>
        <translation>說明</translation>
    </message>
    <message>
        <source>小动物</source>
        <extracomment>The little animal that speaks the word, for a screen reader.</extracomment>
        <translation>小動物</translation>
    </message>
    <message>
        <source>再说一遍</source>
        <extracomment>What clicking the little animal does: it says the word again.</extracomment>
        <translation>再說一遍</translation>
    </message>
    <message>
        <source>生命</source>
        <extracomment>One of the player&apos;s two lives, for a screen reader.</extracomment>
        <translation>生命</translation>
    </message>
    <message>
        <source>时间</source>
        <extracomment>The bar that fills as the game&apos;s time runs out, for a screen reader.</extracomment>
        <translation>時間</translation>
    </message>
    <message>
        <source>单词</source>
        <extracomment>The English word asked, written beside the figure, for a screen reader.</extracomment>
        <translation>單字</translation>
    </message>
    <message>
        <source>得分</source>
        <extracomment>The player&apos;s score, for a screen reader.</extracomment>
        <translation>得分</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>游戏目的：教孩子掌握有关身体部位的英语单词。</source>
        <extracomment>The help&apos;s first paragraph: the aim of the game.</extracomment>
        <translation>遊戲目的：教孩子學會身體各部位的英文單字。</translation>
    </message>
    <message>
        <source>游戏方法：点击三角按钮开始游戏。本游戏分为两级，第一级有提示，使孩子可以根据提示初步掌握单词。按提示所指部位用鼠标点击即可。第二级没有提示，考察孩子的掌握程度。</source>
        <extracomment>The help&apos;s second paragraph: how to play, level 1 with hints, level 2 without.</extracomment>
        <translation>遊戲方法：按一下三角形按鈕開始遊戲。本遊戲分為兩關，第一關有提示，讓孩子可以依照提示初步學會單字，只要用滑鼠點選提示所指的部位就可以了。第二關沒有提示，看看孩子學會了多少。</translation>
    </message>
    <message>
        <source>帮助</source>
        <extracomment>The help window&apos;s title.</extracomment>
        <translation>說明</translation>
    </message>
</context>
<context>
    <name>LeaderboardWindow</name>
    <message>
        <source>恭喜恭喜!您上榜了。您的大名:</source>
        <extracomment>Over the name box when the score earns a place: &quot;Congratulations, you are on the board. Your name:&quot;</extracomment>
        <translation>恭喜恭喜!您上榜了。您的大名:</translation>
    </message>
    <message>
        <source>抱歉,您的大名没能保存。</source>
        <extracomment>In place of the prompt when the name could not be stored; must fit 217 pixels.</extracomment>
        <translation>抱歉,您的大名無法儲存。</translation>
    </message>
    <message>
        <source>排行榜</source>
        <extracomment>The window&apos;s title, and its caption when the score earns no place.</extracomment>
        <translation>排行榜</translation>
    </message>
    <message>
        <source>确认</source>
        <extracomment>Stores the typed name; the button is 41 pixels wide.</extracomment>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>单词</source>
        <extracomment>Column headings: the word, times asked, times right at the first click.</extracomment>
        <translation>單字</translation>
    </message>
    <message>
        <source>次数</source>
        <translation>次數</translation>
    </message>
    <message>
        <source>一次答对</source>
        <translation>一次答對</translation>
    </message>
    <message>
        <source>掌握得好：一次答对超过八成</source>
        <extracomment>Legend, green: right at the first click more than 80 % of the time.</extracomment>
        <translation>學得很好：一次答對超過八成</translation>
    </message>
    <message>
        <source>还要巩固：一次答对五到八成</source>
        <extracomment>Legend, amber: right at the first click 50 % to 80 % of the time.</extracomment>
        <translation>還要加強：一次答對五到八成</translation>
    </message>
    <message>
        <source>需要多练：一次答对不到五成</source>
        <extracomment>Legend, red: right at the first click less than 50 % of the time.</extracomment>
        <translation>需要多練：一次答對不到五成</translation>
    </message>
    <message>
        <source>还没问过</source>
        <extracomment>Legend, grey: the word was never asked.</extracomment>
        <translation>還沒問過</translation>
    </message>
    <message>
        <source>学习进度</source>
        <extracomment>The parents&apos; window&apos;s title: what the child knows.</extracomment>
        <translation>學習進度</translation>
    </message>
    <message>
        <source>清除记录</source>
        <extracomment>Clears the record of every word, after asking.</extracomment>
        <translation>清除紀錄</translation>
    </message>
    <message>
        <source>确定要清除全部学习记录吗？清除后无法恢复。</source>
        <translation>確定要清除全部學習紀錄嗎？清除後就無法復原。</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
