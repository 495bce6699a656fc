<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>Children</name>
    <message>
        <source>小朋友</source>
        <extracomment>The name of the first child, until a parent gives the real one.</extracomment>
        <translation>小朋友</translation>
    </message>
    <message>
        <source>名字不能是空的。</source>
        <translation>名字不能是空的。</translation>
    </message>
    <message>
        <source>名字太长了，最多 %1 个字。</source>
        <extracomment>%1 is the longest name allowed, in characters.</extracomment>
        <translation>名字太長了，最多 %1 個字。</translation>
    </message>
    <message>
        <source>名字里不能有换行或控制字符。</source>
        <translation>名字裡不能有換行或控制字元。</translation>
    </message>
    <message>
        <source>已经有一个叫“%1”的孩子了。</source>
        <extracomment>%1 is the name typed.</extracomment>
        <translation>已經有一個叫「%1」的孩子了。</translation>
    </message>
</context>
<context>
    <name>ChildrenBar</name>
    <message>
        <source>现在玩的孩子：</source>
        <extracomment>Before the list of children: the one chosen plays now.</extracomment>
        <translation>現在玩的孩子：</translation>
    </message>
    <message>
        <source>添加孩子</source>
        <extracomment>Adds a child, who gets a record of their own.</extracomment>
        <translation>新增孩子</translation>
    </message>
    <message>
        <source>改名</source>
        <extracomment>Gives the chosen child another name.</extracomment>
        <translation>改名</translation>
    </message>
    <message>
        <source>删除</source>
        <extracomment>Removes the chosen child and their record, after asking.</extracomment>
        <translation>刪除</translation>
    </message>
    <message>
        <source>确定要删除“%1”吗？这个孩子的全部学习记录也会删除，无法恢复。</source>
        <extracomment>%1 is the child&apos;s name.</extracomment>
        <translation>確定要刪除「%1」嗎？這個孩子的全部學習紀錄也會刪除，無法復原。</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
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
        <source>%1: %2
Try &apos;%1 --help&apos; for the options.
</source>
        <extracomment>%1 is the program&apos;s name, %2 the parser&apos;s error.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a child&apos;s name cannot be empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a child&apos;s name has at most %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a child&apos;s name cannot hold line breaks or control characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is already a child named %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print how often each word was asked and answered right at the first click, and exit; the table of the child who played last, or of the child named with --child.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play for the child named, who is added if new.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the children&apos;s names, one a line, and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Practise the words the child misses, without clock or score.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no child named %1</source>
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
    <name>NameDialog</name>
    <message>
        <source>孩子的名字：</source>
        <extracomment>Above the box where a parent types a child&apos;s name.</extracomment>
        <translation>孩子的名字：</translation>
    </message>
    <message>
        <source>确定</source>
        <extracomment>Keeps the name typed.</extracomment>
        <translation>確定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
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
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>练习</source>
        <extracomment>Starts a game that asks only the words the child misses.</extracomment>
        <translation>練習</translation>
    </message>
    <message>
        <source>问过的单词都会了，没有要练习的。</source>
        <extracomment>Beside the disabled practice button: every word asked so far was known.</extracomment>
        <translation>問過的單字都會了，沒有要練習的。</translation>
    </message>
    <message>
        <source>还没有问过单词，没有要练习的。</source>
        <translation>還沒有問過單字，沒有要練習的。</translation>
    </message>
    <message>
        <source>确定要清除“%1”的全部学习记录吗？清除后无法恢复。</source>
        <extracomment>%1 is the child&apos;s name.</extracomment>
        <translation>確定要清除「%1」的全部學習紀錄嗎？清除後無法復原。</translation>
    </message>
    <message>
        <source>保存报告</source>
        <extracomment>Saves what the window shows as a picture or a document, to keep or print.</extracomment>
        <translation>儲存報告</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>%1年%2月%3日</source>
        <extracomment>The date in the report&apos;s title: year, month, day.</extracomment>
        <translation>%1年%2月%3日</translation>
    </message>
    <message>
        <source>%1的学习进度（%2）</source>
        <extracomment>The report&apos;s title line: the child&apos;s name, then the date.</extracomment>
        <translation>%1的學習進度（%2）</translation>
    </message>
    <message>
        <source>%1-学习进度-%2</source>
        <extracomment>The report&apos;s suggested file name: the child&apos;s name, then the date.</extracomment>
        <translation>%1-學習進度-%2</translation>
    </message>
    <message>
        <source>报告只能保存为 PNG 图片（.png）或 PDF 文档（.pdf）。</source>
        <translation>報告只能儲存為 PNG 圖片（.png）或 PDF 文件（.pdf）。</translation>
    </message>
    <message>
        <source>报告没能画出来。</source>
        <translation>報告無法繪製。</translation>
    </message>
    <message>
        <source>无法在这里建立文件：%1</source>
        <translation>無法在這裡建立檔案：%1</translation>
    </message>
    <message>
        <source>文件没能完整写入：%1</source>
        <translation>檔案無法完整寫入：%1</translation>
    </message>
</context>
<context>
    <name>ReportSaver</name>
    <message>
        <source>PNG 图片 (*.png)</source>
        <extracomment>The file types a report is saved as, in the file dialog.</extracomment>
        <translation>PNG 圖片 (*.png)</translation>
    </message>
    <message>
        <source>PDF 文档 (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>保存报告</source>
        <extracomment>The file dialog&apos;s title, as the button that opens it.</extracomment>
        <translation>儲存報告</translation>
    </message>
    <message>
        <source>位置：</source>
        <translation>位置：</translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation>檔案名稱：</translation>
    </message>
    <message>
        <source>文件类型：</source>
        <translation>檔案類型：</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>报告没能保存到 %1。</source>
        <extracomment>Where a report could not be saved; the reason follows.</extracomment>
        <translation>報告無法儲存到 %1。</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
</context>
</TS>
